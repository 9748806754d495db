#include "app/MainWindowClass.h"

#include "app/MainView.h"
#include "app/Resources.h"
#include "toolkit/GuardedDispatch.h"

namespace lum {

SIZE MainWindowSize(int screenWidth, int screenHeight) {
    return SIZE{screenWidth * 90 / 100, screenHeight * 90 / 100};
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<MainView_CL*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!view) {
        if (message != WM_CREATE) return ::DefWindowProcW(hwnd, message, wParam, lParam);
        view = static_cast<MainView_CL*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
        if (!view) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return GuardedDispatch(
        L"main window", message, [&] { return view->HandleMessage(hwnd, message, wParam, lParam); },
        [&] { return ::DefWindowProcW(hwnd, message, wParam, lParam); });
}

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_LUMENARY));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kMainWindowClass;
    return ::RegisterClassExW(&wc);
}

HWND CreateMainWindow(HINSTANCE instance, MainView_CL& view) {
    const SIZE size = MainWindowSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return ::CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, kMainWindowStyle, CW_USEDEFAULT,
                             CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, &view);
}

} // namespace lum
