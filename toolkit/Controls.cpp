#include "toolkit/Controls.h"

namespace lum {

ControlBase_CL::ControlBase_CL(int type)
    : m_nType(type), m_hFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))) {}

ControlBase_CL::~ControlBase_CL() {
    if (m_pfnOldProc) UnbindWindow(m_hWnd, this, &ControlSubclassProc, m_pfnOldProc);
}

LRESULT ControlBase_CL::CallHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return m_pfnCallback ? m_pfnCallback(hwnd, message, wParam, lParam) : 0;
}

ControlBase_CL* ControlOfWindow(HWND hwnd) {
    return reinterpret_cast<ControlBase_CL*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void HookControl(ControlBase_CL& control, HookCallback callback) {
    if (!control.m_hWnd) return;
    control.m_pfnCallback = callback;
    ::SetWindowLongPtrW(control.m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    control.m_pfnOldProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control.m_hWnd, GWLP_WNDPROC));
    ::SetWindowLongPtrW(control.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlSubclassProc));
}

LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlBase_CL* control = ControlOfWindow(hwnd);
    if (!control) return ForwardToClass(hwnd, message, wParam, lParam);
    return RunHook(*control, &ControlSubclassProc, hwnd, message, wParam, lParam);
}

ControlRect GetControlRect(const ControlBase_CL& control) {
    RECT r{};
    if (!control.m_hWnd || !::GetWindowRect(control.m_hWnd, &r)) return ControlRect{};
    POINT topLeft{r.left, r.top};
    if (HWND parent = ::GetParent(control.m_hWnd)) ::ScreenToClient(parent, &topLeft);
    return ControlRect{topLeft.x, topLeft.y, r.right - r.left, r.bottom - r.top};
}

void MoveControlTo(const ControlBase_CL& control, int x, int y) {
    const ControlRect r = GetControlRect(control);
    ::MoveWindow(control.m_hWnd, x, y, r.width, r.height, TRUE);
}

void ResizeControl(const ControlBase_CL& control, int width, int height) {
    const ControlRect r = GetControlRect(control);
    ::MoveWindow(control.m_hWnd, r.left, r.top, width, height, TRUE);
}

} // namespace lum
