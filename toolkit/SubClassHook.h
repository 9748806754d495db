#pragma once
// A plain function put in front of a window that belongs to somebody else
// (for instance the edit field inside a combo box).
#include <windows.h>

namespace lum {

using HookCallback = LRESULT (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class SubClass_CL final {
public:
    SubClass_CL() = default;
    // Lets a hooked window that is still there go (see UnbindWindow).
    ~SubClass_CL();
    SubClass_CL(const SubClass_CL&) = delete;
    SubClass_CL& operator=(const SubClass_CL&) = delete;

    // Calls the callback with the four arguments (it gets no object
    // pointer; it reads the user data for that); 0 without a callback.
    virtual LRESULT CallHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Stores this hook in the window's user data and puts
    // SubClassHookProc in front of the window's procedure.
    void Install(HWND hwnd, HookCallback callback, void* owner);

    WNDPROC m_pfnOldProc = nullptr;
    HookCallback m_pfnCallback = nullptr;
    BOOL m_bHandled = FALSE;  // a callback sets it to keep a message from the old procedure
    void* m_pOwner = nullptr;
    HWND m_hHooked = nullptr;  // the window this hook is installed on
};

// The callback's way back to its owner: the hook in the window's user data.
SubClass_CL* HookOfWindow(HWND hwnd);

LRESULT CALLBACK SubClassHookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The steps that SubClassHookProc and ControlSubclassProc share. Unlike a
// plain unhook, WM_DESTROY also reaches the old procedure (unless the
// callback handled it): a foreign window must see its own destruction.
template <typename Hooked>
LRESULT RunHook(Hooked& object, WNDPROC ours, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace lum

#include "toolkit/SubClassHook.inl"
