#pragma once
// Plain top-level windows for the toolkit tests. Their handler lives in the
// window's extra bytes, so the user data slot stays free for the toolkit.
#include <windows.h>

#include <functional>
#include <string>

namespace lum::test {

// Returns true when it handled the message (result in the out-parameter).
using MessageHandler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;

// Loads the common controls once per process.
void InitControls();

class TestWindow {
public:
    // A popup window at the given screen rectangle; with a caption it is an
    // overlapped window instead. Hidden unless asked: under Wine without a
    // window manager, destroying a shown window waits about two seconds.
    TestWindow(int x, int y, int width, int height, bool caption = false, bool visible = false);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    void SetHandler(MessageHandler handler) { m_handler = std::move(handler); }
    RECT ClientRect() const;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
    MessageHandler m_handler;
};

// Client rectangle of a child in its parent's client coordinates.
RECT RectInParent(HWND child);

} // namespace lum::test
