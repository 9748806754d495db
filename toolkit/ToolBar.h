#pragma once
// A flat toolbar whose buttons carry their own tooltip texts. It holds at
// most 16 buttons; a record beyond that is refused.
#include "toolkit/SubClassWindow.h"
#include "toolkit/ToolTips.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace lum {

constexpr int kToolBarCapacity = 16;
constexpr UINT kToolBarControlId = 0x5000;
// TBSTYLE_FLAT | CCS_NODIVIDER and bit 0x10, as a child that is visible.
constexpr DWORD kToolBarWindowStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER | 0x10;

struct ToolButton_CL {
    TBBUTTON m_Button{};         // what the toolbar gets
    std::wstring m_ToolTip;      // empty: no tooltip
    int m_nIndex = -1;           // the button's place in the toolbar; -1 before insertion
};

class ToolBar_CL : public SubClassWindowBase_CL {
public:
    ToolBar_CL();
    ~ToolBar_CL() override = default;

    HWND CreateToolbar(HWND parent);
    // Lends the toolbar the image list; its owner keeps it alive while the
    // toolbar shows it.
    void SetImageList(HIMAGELIST images);

    // The record to prepare (its style byte) before InsertButton; null
    // outside the records.
    ToolButton_CL* Record(int index);
    void SetButtonStyle(int index, BYTE style);

    // Fills record i and appends it as the last button. Refused (false)
    // for a record outside the 16 or one that is already in the toolbar.
    bool InsertButton(int index, int image, int command, const wchar_t* toolTip);
    // One tooltip tool per inserted button that has a text.
    void RebuildTooltips();
    void SetButtonState(int command, BYTE state);

    int ButtonCount() const;
    const ToolTips_CL& ToolTips() const { return m_ToolTips; }

    ToolButton_CL m_Buttons[kToolBarCapacity];
    ToolButton_CL* m_pButtons;
    int m_nButtonCapacity = kToolBarCapacity;
    ToolTips_CL m_ToolTips;
};

} // namespace lum
