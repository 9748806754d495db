#pragma once
#include "toolkit/SubClassWindow.h"

namespace lum {

template <typename Hooked>
LRESULT RunHook(Hooked& object, WNDPROC ours, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    object.m_bHandled = FALSE;
    LRESULT result = 0;
    try {
        result = object.CallHook(hwnd, message, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    const WNDPROC previous = object.m_pfnOldProc;
    if (message == WM_DESTROY) RestoreWindowProc(hwnd, ours, previous);
    if (object.m_bHandled || !previous) return result;
    return ::CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

} // namespace lum
