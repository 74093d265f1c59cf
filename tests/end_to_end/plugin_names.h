#pragma once
// The test plug-ins the end-to-end tests scan (see tests/plugins/README.md).
namespace heliodrum_test {

constexpr const char* kPlainPlugin = "plain";
constexpr const char* kShellPlugin = "shell";
constexpr const char* kEntryFaultPlugin = "entry_fault";
constexpr const char* kThreadFaultPlugin = "thread_fault";
constexpr const char* kCloseFaultPlugin = "close_fault";
constexpr const char* kProductVersionPlugin = "version_product";
constexpr const char* kFileVersionPlugin = "version_file";
constexpr const char* kZeroVersionPlugin = "version_zero";
constexpr const char* kNoVersionPlugin = "version_none";
constexpr const char* kOwnVersionPlugin = "version_own";

}  // namespace heliodrum_test
