#pragma once
// GDI+ started for the life of the object, as the server starts it before the
// badge is made.
#include "badge/gdiplus_api.h"

class CGdiplusSession {
public:
    CGdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~CGdiplusSession() {
        if (m_started) Gdiplus::GdiplusShutdown(m_token);
    }
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    bool IsStarted() const { return m_started; }

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};
