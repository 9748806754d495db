#pragma once
// Creates the controls of a dialog or pane, hands out their identifiers,
// owns the objects and places them in columns with fixed pixel gaps.
#include "toolkit/ControlLayout.h"
#include "toolkit/Controls.h"

#include <memory>
#include <string>
#include <vector>

namespace lum {

constexpr int kFirstControlId = 0x1100;  // 4352
constexpr int kAcceptButtonId = 0x1000;  // 4096
constexpr int kCancelButtonId = 0x1002;  // 4098

constexpr DWORD kControlWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kEditDefaultStyle = 0xFFFFFFFF;  // AddEdit: multi-line with scroll bar and border
constexpr DWORD kComboDefaultStyle = 0;          // AddComboBox: a drop-down combo box

// Measures a text in a font on a screen DC: the one-line width and the
// height of all its lines, plus the widths of "W" and height of "M".
TextMetrics MeasureControlText(HFONT font, const std::wstring& text);

// Creates the window of a control with the factory's rules (extended style
// 0, the module's instance, the control's identifier) and sends it the
// control's font. Returns the window; null leaves the control without one.
HWND CreateControlWindow(ControlBase_CL& control, const wchar_t* className, const std::wstring& text,
                         DWORD style, int x, int y, SIZE size, HWND parent);

class ControlFactory_CL {
public:
    ControlFactory_CL() = default;
    virtual ~ControlFactory_CL() = default;  // deletes every control object
    ControlFactory_CL(const ControlFactory_CL&) = delete;
    ControlFactory_CL& operator=(const ControlFactory_CL&) = delete;

    // Each returns the new control's index in the factory.
    int AddStaticText(const std::wstring& text, int x, int y, HWND parent);
    int AddButton(const std::wstring& text, HWND parent);
    int AddCheckBox(const std::wstring& text, HWND parent);
    int AddEdit(HWND parent, int columns, int rows, DWORD style = kEditDefaultStyle);
    int AddComboBox(HWND parent, int lines, DWORD style = kComboDefaultStyle);
    int AddListBox(HWND parent);
    // Takes a control that the caller made; returns its index.
    int AddControl(std::unique_ptr<ControlBase_CL> control);

    // The next identifier, taken from the counter.
    int TakeNextId() { return m_nNextId++; }
    int NextId() const { return m_nNextId; }

    int Count() const { return static_cast<int>(m_Controls.size()); }
    // Null for an index that names no control.
    ControlBase_CL* Control(int index) const;
    template <typename T>
    T* ControlAs(int index) const { return dynamic_cast<T*>(Control(index)); }

    // Moves controls 0..lastIndex to (x, y) downwards with the gap between them.
    void StackControls(int lastIndex, int x, int y, int gap);
    // The lists end with -1; indexes that name no control are skipped.
    void MoveControlsToX(const std::vector<int>& indexes, int x);
    void StackListedControls(const std::vector<int>& indexes, int x, int y);

    // Adds the accept (4096) and cancel (4098) buttons at the parent's
    // bottom right; returns the accept button's index.
    int AddOkCancelButtons(HWND parent, const std::wstring& acceptText, const std::wstring& cancelText);

private:
    template <typename T>
    int AddMeasured(const wchar_t* className, const std::wstring& text, DWORD style, int x, int y,
                    SIZE (*sizeRule)(const TextMetrics&), HWND parent);
    void StackIndexes(const std::vector<int>& indexes, int x, int y, int gap);

    std::vector<std::unique_ptr<ControlBase_CL>> m_Controls;
    int m_nNextId = kFirstControlId;
};

} // namespace lum
