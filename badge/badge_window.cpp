#include "badge/badge_window.h"

#include "badge/badge_image.h"

HWND g_ownerWindow = nullptr;
HBITMAP g_badgeBitmap = nullptr;
HWND g_badgeWindow = nullptr;
UpdateLayeredWindowFunction g_updateLayeredWindow = &UpdateLayeredWindow;

namespace {

// The right and bottom edges (both exclusive) of the work area of the monitor
// nearest to `window`, or of the primary screen when there is no monitor.
POINT PlacementCorner(HWND window) {
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (monitor) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info)) return {info.rcWork.right, info.rcWork.bottom};
    }
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void RegisterBadgeClass(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &BadgeWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kBadgeClassName;
    // a second registration fails harmlessly: the class from the first one is used
    RegisterClassW(&windowClass);
}

// Hands the picture to the layered window once; the source's alpha alone decides
// the translucency. Failures leave an empty badge, which the server can live with.
void ShowPicture(HWND window, HBITMAP picture, SIZE size) {
    HDC screen = CreateDCW(L"display", nullptr, nullptr, nullptr);
    if (!screen) return;
    HDC memory = CreateCompatibleDC(screen);
    if (!memory) {
        DeleteDC(screen);
        return;
    }
    HGDIOBJ previous = SelectObject(memory, picture);
    POINT sourceOrigin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    g_updateLayeredWindow(window, nullptr, nullptr, &size, memory, &sourceOrigin, 0, &blend, ULW_ALPHA);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteDC(screen);
}

}  // namespace

void CreateBadgeWindow(HINSTANCE instance, HWND owner) {
    g_ownerWindow = owner ? owner : GetForegroundWindow();
    g_badgeBitmap = LoadBadgeBitmap(instance);
    if (!g_badgeBitmap) return;  // no picture, so no size: the server runs without a badge
    BITMAP picture{};
    if (!GetObjectW(g_badgeBitmap, sizeof picture, &picture)) return;
    const SIZE size{picture.bmWidth, picture.bmHeight};

    const POINT corner = PlacementCorner(g_ownerWindow);
    RegisterBadgeClass(instance);
    g_badgeWindow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kBadgeClassName,
                                    kBadgeTitle, WS_POPUP | WS_VISIBLE,
                                    corner.x - size.cx - kBadgeMargin, corner.y - size.cy - kBadgeMargin,
                                    size.cx, size.cy, GetDesktopWindow(), nullptr, nullptr, nullptr);
    if (!g_badgeWindow) return;
    ShowPicture(g_badgeWindow, g_badgeBitmap, size);
    SetActiveWindow(g_badgeWindow);
}

LRESULT CALLBACK BadgeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // every point is title bar, so the default handling drags the badge
    if (message == WM_NCHITTEST) return HTCAPTION;
    return DefWindowProcW(window, message, wParam, lParam);
}
