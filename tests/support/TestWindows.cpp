#include "tests/support/TestWindows.h"

#include "tests/support/TestSupport.h"

#include <commctrl.h>

namespace lum::test {

namespace {
constexpr wchar_t kClassName[] = L"LumenaryTestWindow";
constexpr UINT kFirstOwnMessage = 1124;
constexpr UINT kLastOwnMessage = 1153;
} // namespace

void InitControls() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                              ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
}

TestWindow::TestWindow(int x, int y, int width, int height, Look look) {
    InitControls();
    static const ATOM registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &TestWindow::Proc;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        wc.lpszClassName = kClassName;
        return ::RegisterClassExW(&wc);
    }();
    (void)registered;
    DWORD style = look == ShownWithCaption ? WS_OVERLAPPEDWINDOW : WS_POPUP;
    if (look != Hidden) style |= WS_VISIBLE | WS_CLIPCHILDREN;
    m_hwnd = ::CreateWindowExW(0, kClassName, L"テスト", style, x, y, width, height, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), this);
    if (look != Hidden) ::UpdateWindow(m_hwnd);
}

void TestWindow::Destroy() {
    if (m_hwnd && ::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

RECT TestWindow::ClientRect() const {
    RECT r{};
    ::GetClientRect(m_hwnd, &r);
    return r;
}

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, 0));
    if (self) {
        LRESULT result = 0;
        if (self->m_handler && self->m_handler(hwnd, message, wParam, lParam, result)) return result;
        if (message >= kFirstOwnMessage && message <= kLastOwnMessage) {
            self->m_posted.push_back(Posted{message, wParam, lParam});
            return 0;
        }
        if (message == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, 0, 0);
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

bool TestWindow::WaitFor(UINT message, DWORD ms) {
    return PumpUntil([&] { return !Of(message).empty(); }, std::chrono::milliseconds(ms));
}

std::vector<Posted> TestWindow::Of(UINT message) const {
    std::vector<Posted> found;
    for (const auto& p : m_posted)
        if (p.message == message) found.push_back(p);
    return found;
}

void TestWindow::Empty() {
    while (HWND child = ::GetWindow(m_hwnd, GW_CHILD)) ::DestroyWindow(child);
    PumpFor(std::chrono::milliseconds(0));
    m_posted.clear();
    m_handler = nullptr;
}

TestWindow& SharedMainWindow(int width, int height) {
    static TestWindow window(0, 0, width, height, TestWindow::Shown);
    ::SetWindowPos(window.hwnd(), HWND_TOP, 0, 0, width, height, SWP_SHOWWINDOW);
    window.Empty();
    return window;
}

} // namespace lum::test
