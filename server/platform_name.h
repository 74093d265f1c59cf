#pragma once
// The architecture this server is built for, as it names itself in its banner,
// its report and its dump files.
constexpr const wchar_t* kPlatformName = sizeof(void*) == 8 ? L"x64" : L"x86";
