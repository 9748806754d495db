#include "tests/toolkit/TestWindows.h"

#include <commctrl.h>

namespace lum::test {

namespace {
constexpr wchar_t kClassName[] = L"LumenaryToolkitTestWindow";

void RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}
} // namespace

void InitControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_WIN95_CLASSES};
        return ::InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

TestWindow::TestWindow(int x, int y, int width, int height, bool caption, bool visible) {
    InitControls();
    RegisterOnce();
    const DWORD style = (caption ? WS_OVERLAPPEDWINDOW : WS_POPUP) | (visible ? WS_VISIBLE : 0);
    m_hwnd = ::CreateWindowExW(0, kClassName, L"テスト", style, x, y, width, height, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(m_hwnd, 0, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestWindow::Proc));
}

TestWindow::~TestWindow() {
    if (::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
}

RECT TestWindow::ClientRect() const {
    RECT r{};
    ::GetClientRect(m_hwnd, &r);
    return r;
}

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, 0));
    if (self && self->m_handler) {
        LRESULT result = 0;
        if (self->m_handler(hwnd, message, wParam, lParam, result)) return result;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

RECT RectInParent(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace lum::test
