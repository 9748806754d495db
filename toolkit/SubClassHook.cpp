#include "toolkit/SubClassHook.h"

namespace lum {

LRESULT SubClass_CL::CallHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return m_pfnCallback ? m_pfnCallback(hwnd, message, wParam, lParam) : 0;
}

SubClass_CL::~SubClass_CL() { UnbindWindow(m_hHooked, this, &SubClassHookProc, m_pfnOldProc); }

void SubClass_CL::Install(HWND hwnd, HookCallback callback, void* owner) {
    if (!hwnd) return;
    m_hHooked = hwnd;
    m_pfnCallback = callback;
    m_pOwner = owner;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pfnOldProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubClassHookProc));
}

SubClass_CL* HookOfWindow(HWND hwnd) {
    return reinterpret_cast<SubClass_CL*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK SubClassHookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SubClass_CL* hook = HookOfWindow(hwnd);
    if (!hook) return ForwardToClass(hwnd, message, wParam, lParam);
    return RunHook(*hook, &SubClassHookProc, hwnd, message, wParam, lParam);
}

} // namespace lum
