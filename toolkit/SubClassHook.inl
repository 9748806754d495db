#pragma once
#include "toolkit/GuardedDispatch.h"
#include "toolkit/SubClassWindow.h"

namespace lum {

template <typename Hooked>
LRESULT RunHook(Hooked& object, WNDPROC ours, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    object.m_bHandled = FALSE;
    bool failed = false;
    const LRESULT result = GuardedDispatch(
        L"hook", message, [&] { return object.CallHook(hwnd, message, wParam, lParam); },
        [&] {
            failed = true;  // the previous procedure answers instead
            return LRESULT{0};
        });
    const WNDPROC previous = object.m_pfnOldProc;
    if (message == WM_DESTROY) RestoreWindowProc(hwnd, ours, previous);
    if ((object.m_bHandled && !failed) || !previous) return result;
    return ::CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

} // namespace lum
