// Shows the badge over a plain white window that covers the whole screen, so a
// screenshot of the display shows the badge and white all around it. Prints the
// work area, the badge's rectangle and its hit-test answer, then "ready", and
// keeps the windows up until a file named "stop" appears in the working folder
// (or two minutes pass).
#include "badge/gdiplus_api.h"

#include <cstdio>

#include "badge/badge_window.h"

namespace {

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

HWND CreateWhiteBackdrop(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"BadgeBackdrop";
    if (!RegisterClassW(&windowClass)) return nullptr;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"backdrop", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                  nullptr, instance, nullptr);
    if (window) UpdateWindow(window);
    return window;
}

}  // namespace

int main() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        std::printf("error GDI+ did not start\n");
        return 1;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND backdrop = CreateWhiteBackdrop(instance);
    if (!backdrop) {
        std::printf("error no backdrop window\n");
        return 1;
    }
    PumpFor(300);
    CreateBadgeWindow(instance, backdrop);
    if (!g_badgeWindow) {
        std::printf("error no badge window\n");
        return 1;
    }
    PumpFor(1000);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(backdrop, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT badge{};
    GetWindowRect(g_badgeWindow, &badge);
    const RECT& work = monitor.rcWork;
    std::printf("work %ld %ld %ld %ld\n", work.left, work.top, work.right, work.bottom);
    std::printf("badge %ld %ld %ld %ld\n", badge.left, badge.top, badge.right, badge.bottom);
    std::printf("hittest %ld\n",
                static_cast<long>(SendMessageW(g_badgeWindow, WM_NCHITTEST, 0,
                                               MAKELPARAM(badge.left + 60, badge.top + 60))));
    std::printf("ready\n");
    std::fflush(stdout);

    const DWORD start = GetTickCount();
    while (GetFileAttributesW(L"stop") == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 120000) PumpFor(50);
    DestroyWindow(g_badgeWindow);
    DestroyWindow(backdrop);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
