#pragma once
// The object layer over Win32 windows: an object owns one window and gets
// its messages through one virtual operation. The object finds itself from
// the window's user data slot, never from a map or a window property.
#include <windows.h>

namespace lum {

class SubClassWindowBase_CL {
public:
    SubClassWindowBase_CL() = default;
    // Does not destroy the window: it dies with its parent. A window that is
    // still there is let go of, so that it never calls a dead object.
    virtual ~SubClassWindowBase_CL();
    SubClassWindowBase_CL(const SubClassWindowBase_CL&) = delete;
    SubClassWindowBase_CL& operator=(const SubClassWindowBase_CL&) = delete;

    // The twelve arguments of CreateWindowExW. The messages sent during
    // creation reach the class procedure only; the object is bound after.
    virtual HWND CreateAndSubclass(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                                   DWORD style, int x, int y, int width, int height, HWND parent,
                                   HMENU menuOrId, HINSTANCE instance, void* param);

    // Base behaviour: hand everything to the previous procedure, and put
    // that procedure back at WM_DESTROY.
    virtual LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND Window() const { return m_hWnd; }
    WNDPROC OldProc() const { return m_pfnOldProc; }

protected:
    // Stores this object in the window's user data and puts
    // SubClassWindowProc in front of the window's procedure.
    void BindAndSubclass(HWND hwnd);

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnOldProc = nullptr;
};

LRESULT CALLBACK SubClassWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Puts the previous procedure back when this hook is still the window's
// current procedure. If something subclassed the window after us, cutting
// it out of the chain would skip its clean-up, so the chain stays as it is.
bool RestoreWindowProc(HWND hwnd, WNDPROC ours, WNDPROC previous);

// Lets a window go that still names the object in its user data: puts the
// previous procedure back where possible and clears the user data.
void UnbindWindow(HWND hwnd, const void* object, WNDPROC ours, WNDPROC previous);

// For a toolkit procedure that finds no object (it was let go of while
// something else kept the procedure in the chain): the class procedure.
LRESULT ForwardToClass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The previous procedure, or DefWindowProcW where there is none.
LRESULT CallPreviousProc(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace lum
