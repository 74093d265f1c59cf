#pragma once
// The status badge: a frameless, always-on-top, per-pixel translucent window
// without a taskbar button, 10 pixels from the bottom-right corner of the work
// area of the monitor that holds the owner window. Its picture is handed to the
// system once through a layered-window update; the whole badge acts as a title
// bar, so it can be dragged anywhere.
#include <windows.h>

constexpr const wchar_t* kBadgeClassName = L"HeliodrumScanServer";
constexpr const wchar_t* kBadgeTitle = L"Heliodrum Scan Server";
constexpr int kBadgeMargin = 10;

extern HWND g_ownerWindow;     // only chooses the monitor; the badge is not owned by it
extern HBITMAP g_badgeBitmap;  // the premultiplied picture, kept for the life of the process
extern HWND g_badgeWindow;     // null when there is no picture to show

// The layered-window update that hands the picture over: the platform's
// UpdateLayeredWindow, which tests replace to see the exact arguments.
using UpdateLayeredWindowFunction = decltype(&UpdateLayeredWindow);
extern UpdateLayeredWindowFunction g_updateLayeredWindow;

// Builds, shows and activates the badge. Needs GDI+ to be started. An owner of 0
// stands for the window in the foreground now. Without a picture no window is
// made and g_badgeWindow stays null; everything else carries on without a badge.
void CreateBadgeWindow(HINSTANCE instance, HWND owner);

LRESULT CALLBACK BadgeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
