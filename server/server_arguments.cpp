#include "server/server_arguments.h"

#include "server/parse_hex.h"

SServerArguments ReadServerArguments(int argc, wchar_t** argv) {
    SServerArguments arguments;
    if (argc > 1) ParseHex(argv[1], arguments.inputHandle);
    if (argc > 2) ParseHex(argv[2], arguments.outputHandle);
    if (argc > 3) ParseHex(argv[3], arguments.ownerWindow);
    if (argc > 4 && argv[4] && argv[4][0] != 0) arguments.dumpFolder = CWideString::From(argv[4]);
    return arguments;
}
