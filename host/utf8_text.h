#pragma once
// Conversions between the UTF-16 paths of the file system and the UTF-8 text
// of the request pipe, the plug-in list and the console.
#include <string>

namespace heliodrum {

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// ASCII letters folded to lower case: Windows paths compare without case.
std::wstring FoldCase(const std::wstring& text);

}  // namespace heliodrum
