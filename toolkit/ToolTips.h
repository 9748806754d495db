#pragma once
// A tooltip window whose tools are rectangles of one tool window.
#include <windows.h>
#include <commctrl.h>

namespace lum {

class ToolTips_CL {
public:
    ToolTips_CL() = default;
    virtual ~ToolTips_CL() = default;  // the window dies with its owner
    ToolTips_CL(const ToolTips_CL&) = delete;
    ToolTips_CL& operator=(const ToolTips_CL&) = delete;

    // Creates an always-showing tooltip window owned by the given window.
    HWND Create(HWND owner);

    // Adds a tool for a rectangle of the tool window (its client
    // coordinates). The text is not copied: it must outlive the tool.
    bool AddTool(const RECT& rect, HWND toolWindow, UINT_PTR toolId, const wchar_t* text);
    int ToolCount() const;
    void RemoveAllTools();

    HWND m_hTipWnd = nullptr;
};

} // namespace lum
