#pragma once
#include <cstdint>

#include "toolkit/shared_text.h"

// One read brings at most this many bytes, so the terminator always fits the
// request buffer; a longer request arrives as more than one request.
constexpr int32_t kRequestBufferBytes = 1024;
constexpr int32_t kRequestReadBytes = kRequestBufferBytes - 1;

// The request in the bytes of one read: everything before the first line feed
// (or NUL). Only the first line of a read counts; nothing else is trimmed, so a
// carriage return before the line feed stays part of the request.
CNarrowString ExtractRequestLine(char (&buffer)[kRequestBufferBytes], int32_t bytesRead);

// A request text: a module path, optionally followed by ">" and a sub-plug-in
// id in hexadecimal.
struct SScanRequest {
    CWideString path;  // everything before the first ">", used unchanged
    int32_t shellId = 0;
};

SScanRequest SplitScanRequest(const CWideString& request);
