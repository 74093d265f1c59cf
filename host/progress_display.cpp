#include "host/progress_display.h"

#include <cstdio>

#include "host/scan_summary.h"

namespace heliodrum {

namespace {

std::string Elapsed(double seconds) {
    const unsigned whole = static_cast<unsigned>(seconds);
    char text[24];
    std::snprintf(text, sizeof text, "%u:%02u", whole / 60, whole % 60);
    return text;
}

std::string Count(const SPoolProgress& progress) {
    return "[" + std::to_string(progress.done) + "/" + std::to_string(progress.total) + "]";
}

}  // namespace

void WriteOut(const std::string& text) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (OutputIsConsole()) {
        const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(units > 0 ? units : 0), L'\0');
        if (units > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], units);
        WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool OutputIsConsole() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

CProgressDisplay::CProgressDisplay(EStyle style, size_t width)
    : m_style(style), m_width(width), m_start(GetTickCount64()) {}

std::string CProgressDisplay::LiveLine(const SPoolProgress& progress, double elapsedSeconds, size_t width) {
    std::string line = Count(progress) + " " + Elapsed(elapsedSeconds);
    if (progress.failures) line += " " + std::to_string(progress.failures) + " failed";
    std::string current;
    for (const std::string& label : progress.current) {
        if (label.empty()) continue;
        current += (current.empty() ? "" : ", ") + label;
    }
    if (!current.empty()) line += " | " + current;
    if (line.size() > width) line = line.substr(0, width > 3 ? width - 3 : 0) + "...";
    return line;
}

std::string CProgressDisplay::PlainLine(const SPluginEntry& entry, const SPoolProgress& progress) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f s", entry.seconds);
    std::string line = Count(progress) + " " + StatusName(entry.status) + " " + entry.architecture + " " +
                       EntryLabel(entry) + " (" + seconds + ")";
    if (entry.status != EScanStatus::kOk) line += ": " + entry.reason;
    return line + "\n";
}

void CProgressDisplay::Finished(const SPluginEntry& entry, const SPoolProgress& progress) {
    if (m_style == EStyle::kPlain) {
        Write(PlainLine(entry, progress));
    } else if (m_style == EStyle::kLive && entry.status != EScanStatus::kOk) {
        // a failure stays on screen above the live line
        std::lock_guard<std::mutex> hold(m_lock);
        std::string text = "\r" + std::string(m_shown, ' ') + "\r" + PlainLine(entry, progress);
        m_shown = 0;
        WriteOut(text);
    }
}

void CProgressDisplay::Tick(const SPoolProgress& progress) {
    if (m_style != EStyle::kLive) return;
    const std::string line = LiveLine(progress, static_cast<double>(GetTickCount64() - m_start) / 1000.0, m_width);
    std::lock_guard<std::mutex> hold(m_lock);
    std::string text = "\r" + line;
    if (line.size() < m_shown) text += std::string(m_shown - line.size(), ' ');
    m_shown = line.size();
    WriteOut(text);
}

void CProgressDisplay::Close() {
    if (m_style != EStyle::kLive) return;
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_shown) WriteOut("\n");
    m_shown = 0;
}

void CProgressDisplay::Write(const std::string& text) {
    std::lock_guard<std::mutex> hold(m_lock);
    WriteOut(text);
}

}  // namespace heliodrum
