#pragma once
// Plain top-level windows that the tests put the toolkit's windows, the
// panes and the savers' previews into. A handler may answer any message
// (it lives in the window's extra bytes, so the user data slot stays free);
// the program's own messages (1124 to 1153) that no handler takes are
// recorded, so a window can stand in for the main window.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace lum::test {

// Returns true when it handled the message (result in the out-parameter).
using MessageHandler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;

// Loads the common controls (bars, tabs, lists).
void InitControls();

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class TestWindow {
public:
    enum Look { Hidden, Shown, ShownWithCaption };
    // A popup window at the given screen rectangle. Hidden unless asked:
    // under Wine without a window manager, destroying a shown window waits
    // about two seconds.
    TestWindow(int x, int y, int width, int height, Look look = Hidden);
    ~TestWindow() { Destroy(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    void SetHandler(MessageHandler handler) { m_handler = std::move(handler); }
    RECT ClientRect() const;
    void Destroy();

    // Runs the queue until a message of that number was recorded (or time is up).
    bool WaitFor(UINT message, DWORD ms = 2000);
    std::vector<Posted> Of(UINT message) const;
    void Clear() { m_posted.clear(); }
    // Destroys every child window (what a test put inside) and the record.
    void Empty();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
    MessageHandler m_handler;
    std::vector<Posted> m_posted;
};

// One shown window at (0, 0) for a whole test program, emptied for each
// test: hiding and destroying a shown top-level window costs two seconds
// under Wine without a window manager.
TestWindow& SharedMainWindow(int width, int height);

} // namespace lum::test
