#include "server/request_line.h"

#include "server/parse_hex.h"

CNarrowString ExtractRequestLine(char (&buffer)[kRequestBufferBytes], int32_t bytesRead) {
    if (bytesRead < 0) bytesRead = 0;
    if (bytesRead > kRequestReadBytes) bytesRead = kRequestReadBytes;
    buffer[bytesRead] = 0;
    for (int32_t i = 0; i < bytesRead; ++i) {
        if (buffer[i] == '\n') {
            buffer[i] = 0;
            break;
        }
    }
    CNarrowString line = CNarrowString::From(buffer);
    if (line.IsAbsent()) line.Assign("", 0);
    return line;
}

SScanRequest SplitScanRequest(const CWideString& request) {
    SScanRequest parts;
    const wchar_t* text = request.Text();
    const int32_t length = request.GetLength();
    int32_t separator = 0;
    while (separator < length && text[separator] != L'>') ++separator;
    parts.path.Assign(text, separator);
    if (separator < length) {
        uint32_t id = 0;
        ParseHex(text + separator + 1, id);
        parts.shellId = static_cast<int32_t>(id);
    }
    return parts;
}
