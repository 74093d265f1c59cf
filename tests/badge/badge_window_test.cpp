#include <windows.h>

#include <gtest/gtest.h>

#include "badge/badge_window.h"
#include "tests/badge/gdiplus_session.h"

namespace {

// What the badge handed to the layered-window update, kept by a stand-in that
// then passes the call on to the platform.
struct SLayeredUpdate {
    int calls = 0;
    HWND window = nullptr;
    HDC target = nullptr;
    bool movedWindow = false;
    bool hasSize = false;
    SIZE size{};
    bool hasSource = false;
    HGDIOBJ sourceBitmap = nullptr;
    bool hasSourcePoint = false;
    POINT sourcePoint{-1, -1};
    COLORREF key = 1;
    bool hasBlend = false;
    BLENDFUNCTION blend{};
    DWORD flags = 0;
    BOOL result = FALSE;
};
SLayeredUpdate g_seen;

BOOL WINAPI RecordLayeredUpdate(HWND window, HDC target, POINT* position, SIZE* size, HDC source,
                                POINT* sourcePoint, COLORREF key, BLENDFUNCTION* blend, DWORD flags) {
    ++g_seen.calls;
    g_seen.window = window;
    g_seen.target = target;
    g_seen.movedWindow = position != nullptr;
    if ((g_seen.hasSize = size != nullptr)) g_seen.size = *size;
    if ((g_seen.hasSource = source != nullptr)) g_seen.sourceBitmap = GetCurrentObject(source, OBJ_BITMAP);
    if ((g_seen.hasSourcePoint = sourcePoint != nullptr)) g_seen.sourcePoint = *sourcePoint;
    g_seen.key = key;
    if ((g_seen.hasBlend = blend != nullptr)) g_seen.blend = *blend;
    g_seen.flags = flags;
    g_seen.result = UpdateLayeredWindow(window, target, position, size, source, sourcePoint, key, blend, flags);
    return g_seen.result;
}

// A plain window standing for the host's, and a clean slate of badge state.
class BadgeWindow : public testing::Test {
protected:
    // Wine takes a while to destroy a window under X, so the host's stand-in
    // lives for the whole suite.
    static void SetUpTestSuite() {
        s_gdiplus = new CGdiplusSession;
        s_owner = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 100, 80, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr);
    }
    static void TearDownTestSuite() {
        if (s_owner) DestroyWindow(s_owner);
        s_owner = nullptr;
        delete s_gdiplus;
        s_gdiplus = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(s_gdiplus->IsStarted());
        ASSERT_NE(nullptr, s_owner);
        m_owner = s_owner;
        g_ownerWindow = nullptr;
        g_badgeBitmap = nullptr;
        g_badgeWindow = nullptr;
        g_seen = SLayeredUpdate{};
        g_updateLayeredWindow = &RecordLayeredUpdate;
    }

    void TearDown() override {
        if (g_badgeWindow) DestroyWindow(g_badgeWindow);
        if (g_badgeBitmap) DeleteObject(g_badgeBitmap);  // the server never does; a test run makes many
        g_badgeWindow = nullptr;
        g_badgeBitmap = nullptr;
        g_updateLayeredWindow = &UpdateLayeredWindow;
        Pump();
    }

    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    static RECT WorkAreaOf(HWND window) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
        return info.rcWork;
    }

    static CGdiplusSession* s_gdiplus;
    static HWND s_owner;
    HWND m_owner = nullptr;
};
CGdiplusSession* BadgeWindow::s_gdiplus = nullptr;
HWND BadgeWindow::s_owner = nullptr;

TEST_F(BadgeWindow, StandsTenPixelsFromTheWorkAreasBottomRightCorner) {
    CreateBadgeWindow(GetModuleHandleW(nullptr), m_owner);
    EXPECT_EQ(m_owner, g_ownerWindow);
    ASSERT_NE(nullptr, g_badgeBitmap);
    ASSERT_NE(nullptr, g_badgeWindow);

    const RECT work = WorkAreaOf(m_owner);
    RECT badge{};
    ASSERT_TRUE(GetWindowRect(g_badgeWindow, &badge));
    EXPECT_EQ(work.right - 130, badge.left);
    EXPECT_EQ(work.bottom - 130, badge.top);
    EXPECT_EQ(work.right - 10, badge.right);
    EXPECT_EQ(work.bottom - 10, badge.bottom);
}

TEST_F(BadgeWindow, IsAVisibleTopmostLayeredToolWindowWithoutFrame) {
    CreateBadgeWindow(GetModuleHandleW(nullptr), m_owner);
    ASSERT_NE(nullptr, g_badgeWindow);
    const LONG_PTR extended = GetWindowLongPtrW(g_badgeWindow, GWL_EXSTYLE);
    EXPECT_EQ(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
              extended & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_APPWINDOW));
    const LONG_PTR style = GetWindowLongPtrW(g_badgeWindow, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP | WS_VISIBLE), style & (WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU));
    EXPECT_TRUE(IsWindowVisible(g_badgeWindow));

    wchar_t text[64] = {};
    GetClassNameW(g_badgeWindow, text, 64);
    EXPECT_STREQ(L"HeliodrumScanServer", text);
    GetWindowTextW(g_badgeWindow, text, 64);
    EXPECT_STREQ(L"Heliodrum Scan Server", text);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&BadgeWindowProc), GetClassLongPtrW(g_badgeWindow, GCLP_WNDPROC));
    EXPECT_EQ(static_cast<LONG_PTR>(COLOR_WINDOW + 1), GetClassLongPtrW(g_badgeWindow, GCLP_HBRBACKGROUND));
    EXPECT_EQ(g_badgeWindow, GetActiveWindow());
}

TEST_F(BadgeWindow, HandsThePictureOverInOneAlphaBlendedLayeredUpdate) {
    CreateBadgeWindow(GetModuleHandleW(nullptr), m_owner);
    ASSERT_NE(nullptr, g_badgeWindow);
    EXPECT_EQ(1, g_seen.calls);
    EXPECT_EQ(g_badgeWindow, g_seen.window);
    EXPECT_EQ(nullptr, g_seen.target);
    EXPECT_FALSE(g_seen.movedWindow);
    ASSERT_TRUE(g_seen.hasSize);
    EXPECT_EQ(120, g_seen.size.cx);
    EXPECT_EQ(120, g_seen.size.cy);
    ASSERT_TRUE(g_seen.hasSource);
    EXPECT_EQ(g_badgeBitmap, g_seen.sourceBitmap) << "the premultiplied picture is selected into the source";
    ASSERT_TRUE(g_seen.hasSourcePoint);
    EXPECT_EQ(0, g_seen.sourcePoint.x);
    EXPECT_EQ(0, g_seen.sourcePoint.y);
    EXPECT_EQ(0u, g_seen.key);
    ASSERT_TRUE(g_seen.hasBlend);
    EXPECT_EQ(AC_SRC_OVER, g_seen.blend.BlendOp);
    EXPECT_EQ(0, g_seen.blend.BlendFlags);
    EXPECT_EQ(255, g_seen.blend.SourceConstantAlpha);
    EXPECT_EQ(AC_SRC_ALPHA, g_seen.blend.AlphaFormat);
    EXPECT_EQ(static_cast<DWORD>(ULW_ALPHA), g_seen.flags);
    EXPECT_TRUE(g_seen.result) << "the platform took the update";
    // the picture is released from the memory context afterwards: a bitmap can be
    // selected into one context at a time
    HDC context = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(context, g_badgeBitmap);
    EXPECT_NE(nullptr, previous);
    if (previous) SelectObject(context, previous);
    DeleteDC(context);
}

TEST_F(BadgeWindow, AnswersEveryHitTestAsTitleBarAndLeavesTheRestToTheDefault) {
    CreateBadgeWindow(GetModuleHandleW(nullptr), m_owner);
    ASSERT_NE(nullptr, g_badgeWindow);
    RECT badge{};
    GetWindowRect(g_badgeWindow, &badge);
    const POINT points[] = {{badge.left, badge.top}, {badge.left + 60, badge.top + 60},
                            {badge.right - 1, badge.bottom - 1}, {0, 0}};
    for (const POINT& p : points)
        EXPECT_EQ(HTCAPTION, SendMessageW(g_badgeWindow, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)))
            << p.x << "," << p.y;
    wchar_t title[64] = {};
    EXPECT_EQ(21, SendMessageW(g_badgeWindow, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(title)));
    EXPECT_STREQ(L"Heliodrum Scan Server", title);
}

TEST_F(BadgeWindow, WithoutAnOwnerTheForegroundWindowChoosesTheMonitor) {
    SetForegroundWindow(m_owner);
    Pump();
    const HWND foreground = GetForegroundWindow();
    ASSERT_NE(nullptr, foreground);
    CreateBadgeWindow(GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(foreground, g_ownerWindow);
    ASSERT_NE(nullptr, g_badgeWindow);
    const RECT work = WorkAreaOf(foreground);
    RECT badge{};
    GetWindowRect(g_badgeWindow, &badge);
    EXPECT_EQ(work.right - 130, badge.left);
    EXPECT_EQ(work.bottom - 130, badge.top);
}

TEST_F(BadgeWindow, DestroyingTheBadgeEndsNothingElse) {
    CreateBadgeWindow(GetModuleHandleW(nullptr), m_owner);
    ASSERT_NE(nullptr, g_badgeWindow);
    EXPECT_TRUE(DestroyWindow(g_badgeWindow));
    g_badgeWindow = nullptr;
    MSG message;
    bool quit = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        quit = quit || message.message == WM_QUIT;
        DispatchMessageW(&message);
    }
    EXPECT_FALSE(quit);
    EXPECT_TRUE(IsWindow(m_owner));
}

TEST_F(BadgeWindow, WithoutAPictureNoWindowIsMade) {
    // kernel32 carries no badge picture
    CreateBadgeWindow(GetModuleHandleW(L"kernel32.dll"), m_owner);
    EXPECT_EQ(m_owner, g_ownerWindow);
    EXPECT_EQ(nullptr, g_badgeBitmap);
    EXPECT_EQ(nullptr, g_badgeWindow);
    EXPECT_EQ(0, g_seen.calls);
}

}  // namespace
