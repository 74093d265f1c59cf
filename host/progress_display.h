#pragma once
// Shows a scan's progress to a person: one line rewritten in place on a
// console, or one plain line per plug-in when the output is a file or pipe.
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>

#include "host/plugin_list.h"
#include "host/scan_pool.h"

namespace heliodrum {

// Writes UTF-8 text to the standard output as it is.
void WriteOut(const std::string& text);
// True when the standard output is a console.
bool OutputIsConsole();

class CProgressDisplay {
public:
    enum class EStyle { kLive, kPlain, kQuiet };
    CProgressDisplay(EStyle style, size_t width = 79);

    // The line for a finished entry (plain style; failures in live style too).
    void Finished(const SPluginEntry& entry, const SPoolProgress& progress);
    // Rewrites the live line.
    void Tick(const SPoolProgress& progress);
    // Ends the live line so that what follows starts on a line of its own.
    void Close();

    // The live line's text, without the carriage return: done/total, elapsed
    // time, failures so far and what the servers are working on.
    static std::string LiveLine(const SPoolProgress& progress, double elapsedSeconds, size_t width);
    static std::string PlainLine(const SPluginEntry& entry, const SPoolProgress& progress);

private:
    void Write(const std::string& text);

    const EStyle m_style;
    const size_t m_width;
    const ULONGLONG m_start;
    std::mutex m_lock;
    size_t m_shown = 0;  // length of the live line on screen
};

}  // namespace heliodrum
