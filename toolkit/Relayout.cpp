#include "toolkit/Relayout.h"

namespace lum {

void RelayoutWindow(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    const LPARAM size = MAKELPARAM(client.right, client.bottom);
    if (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_MAXIMIZE) {
        ::SendMessageW(hwnd, WM_SIZE, SIZE_MAXIMIZED, size);
    } else {
        ::SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, size);
        ::InvalidateRect(hwnd, nullptr, TRUE);
    }
    ::UpdateWindow(hwnd);
}

} // namespace lum
