#pragma once
// One of the test plug-in DLLs (bin/plugins/<name>.dll), loaded into the test
// process for the life of the object, with access to the calls it saw.
#include <windows.h>

#include <string>
#include <vector>

#include "server/plugin_info.h"
#include "tests/plugins/test_plugin_calls.h"

class CLoadedPlugin {
public:
    explicit CLoadedPlugin(const wchar_t* name);
    ~CLoadedPlugin();
    CLoadedPlugin(const CLoadedPlugin&) = delete;
    CLoadedPlugin& operator=(const CLoadedPlugin&) = delete;

    HMODULE Module() const { return m_module; }
    // Every call recorded so far (up to the log's capacity).
    std::vector<STestCall> Calls() const;
    // Every call, also those past the capacity.
    int CallCount() const;
    void Configure(const STestPluginSettings& settings) const;

private:
    HMODULE m_module = nullptr;
};

// The module handle as the probe's first line prints it.
std::string ModuleText(HMODULE module);

// The dispatcher opcodes the plug-in received, in order.
std::vector<int> DispatcherOpcodes(const std::vector<STestCall>& calls);
// The effCanDo texts the plug-in was asked, in order.
std::vector<std::string> CanDoAsked(const std::vector<STestCall>& calls);
// The plug-in's own remarks, in order.
std::vector<std::string> Notes(const std::vector<STestCall>& calls);

// The whole record on one line, every field named, absent texts told apart
// from empty ones, so one comparison shows every field that differs.
std::wstring Describe(const CPluginInfo& info);
