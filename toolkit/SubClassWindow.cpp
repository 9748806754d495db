#include "toolkit/SubClassWindow.h"

#include "toolkit/GuardedDispatch.h"

namespace lum {

bool RestoreWindowProc(HWND hwnd, WNDPROC ours, WNDPROC previous) {
    if (!hwnd || !previous) return false;
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (current != ours) return false;
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    return true;
}

void UnbindWindow(HWND hwnd, const void* object, WNDPROC ours, WNDPROC previous) {
    if (!hwnd || !::IsWindow(hwnd)) return;
    if (::GetWindowLongPtrW(hwnd, GWLP_USERDATA) != reinterpret_cast<LONG_PTR>(object)) return;
    RestoreWindowProc(hwnd, ours, previous);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
}

LRESULT ForwardToClass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto classProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hwnd, GCLP_WNDPROC));
    if (!classProc) return 0;
    return ::CallWindowProcW(classProc, hwnd, message, wParam, lParam);
}

LRESULT CallPreviousProc(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!previous) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return ::CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

SubClassWindowBase_CL::~SubClassWindowBase_CL() {
    UnbindWindow(m_hWnd, this, &SubClassWindowProc, m_pfnOldProc);
}

HWND SubClassWindowBase_CL::CreateAndSubclass(DWORD exStyle, const wchar_t* className,
                                              const wchar_t* windowName, DWORD style, int x, int y,
                                              int width, int height, HWND parent, HMENU menuOrId,
                                              HINSTANCE instance, void* param) {
    m_hWnd = ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent,
                               menuOrId, instance, param);
    if (m_hWnd) BindAndSubclass(m_hWnd);
    return m_hWnd;
}

void SubClassWindowBase_CL::BindAndSubclass(HWND hwnd) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pfnOldProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubClassWindowProc));
}

LRESULT SubClassWindowBase_CL::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) RestoreWindowProc(hwnd, &SubClassWindowProc, m_pfnOldProc);
    return CallPreviousProc(m_pfnOldProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubClassWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* object = reinterpret_cast<SubClassWindowBase_CL*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!object) return ForwardToClass(hwnd, message, wParam, lParam);
    const LRESULT result = GuardedDispatch(
        L"window", message, [&] { return object->HandleMessage(hwnd, message, wParam, lParam); },
        [&] { return CallPreviousProc(object->OldProc(), hwnd, message, wParam, lParam); });
    // Still in the chain at the very end (somebody hooked in after us): the
    // object may not outlive the window, so it is unbound here.
    if (message == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return result;
}

} // namespace lum
