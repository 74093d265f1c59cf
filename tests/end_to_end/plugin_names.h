#pragma once
// The test plug-ins the end-to-end tests scan (see tests/plugins/README.md).
namespace heliodrum_test {

constexpr const char* kPlainPlugin = "plain_effect";
constexpr const char* kShellPlugin = "shell";
constexpr const char* kEntryFaultPlugin = "entry_faults";
constexpr const char* kThreadFaultPlugin = "entry_thread_faults";
constexpr const char* kCloseFaultPlugin = "close_faults";
constexpr const char* kProductVersionPlugin = "version_product_1_2_3_4";
constexpr const char* kFileVersionPlugin = "version_file_2_0_0_7";
constexpr const char* kZeroVersionPlugin = "version_zero";
constexpr const char* kNoVersionPlugin = "version_none";
constexpr const char* kOwnVersionPlugin = "vendor_version_wins";

}  // namespace heliodrum_test
