#pragma once
// The standard controls of dialogs and panes. Each object remembers its
// window, its identifier and, when a callback was hooked in front of it,
// the control's own procedure.
#include "toolkit/SubClassHook.h"

#include <windows.h>

namespace lum {

enum ControlType : int {
    kStaticText = 1,
    kPushButton = 2,
    kCheckBox = 3,
    kEditField = 4,
    kComboBox = 5,
    kListBox = 6,
};

class ControlBase_CL {
public:
    explicit ControlBase_CL(int type);
    // Does not destroy the control window: it dies with its parent. A hooked
    // window that is still there is let go of.
    virtual ~ControlBase_CL();
    ControlBase_CL(const ControlBase_CL&) = delete;
    ControlBase_CL& operator=(const ControlBase_CL&) = delete;

    // Calls the callback with the four arguments; 0 without one.
    virtual LRESULT CallHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int m_nType;
    int m_nId = 0;
    BOOL m_bHandled = FALSE;
    WNDPROC m_pfnOldProc = nullptr;
    HookCallback m_pfnCallback = nullptr;
    void* m_pLink = nullptr;  // what the callback needs; the toolkit never reads it
    HWND m_hWnd = nullptr;
    HFONT m_hFont;            // stock DEFAULT_GUI_FONT
};

class StaticText_CL : public ControlBase_CL {
public:
    StaticText_CL() : ControlBase_CL(kStaticText) {}
};
class Button_CL : public ControlBase_CL {
public:
    Button_CL() : ControlBase_CL(kPushButton) {}
};
class CheckBox_CL : public ControlBase_CL {
public:
    CheckBox_CL() : ControlBase_CL(kCheckBox) {}
};
class Edit_CL : public ControlBase_CL {
public:
    Edit_CL() : ControlBase_CL(kEditField) {}
};
class ComboBox_CL : public ControlBase_CL {
public:
    ComboBox_CL() : ControlBase_CL(kComboBox) {}
};
class ListBox_CL : public ControlBase_CL {
public:
    ListBox_CL() : ControlBase_CL(kListBox) {}
    int m_nValue = 0;  // kept for the owning dialog
};

// The control found from its window's user data (set by HookControl).
ControlBase_CL* ControlOfWindow(HWND hwnd);

// Puts the callback in front of the control's own procedure.
void HookControl(ControlBase_CL& control, HookCallback callback);

LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Position in the parent's client coordinates, and size.
struct ControlRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
ControlRect GetControlRect(const ControlBase_CL& control);
void MoveControlTo(const ControlBase_CL& control, int x, int y);
void ResizeControl(const ControlBase_CL& control, int width, int height);

} // namespace lum
