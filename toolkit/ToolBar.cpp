#include "toolkit/ToolBar.h"

namespace lum {

namespace {
void ResetRecord(ToolButton_CL& record) {
    record.m_Button = TBBUTTON{};
    record.m_Button.fsState = TBSTATE_ENABLED;
    record.m_ToolTip.clear();
    record.m_nIndex = -1;
}
} // namespace

ToolBar_CL::ToolBar_CL() : m_pButtons(m_Buttons) {
    for (ToolButton_CL& record : m_Buttons) ResetRecord(record);
}

HWND ToolBar_CL::CreateToolbar(HWND parent) {
    m_hWnd = ::CreateToolbarEx(parent, kToolBarWindowStyle, kToolBarControlId, 0, ::GetModuleHandleW(nullptr), 0,
                               nullptr, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
    if (!m_hWnd) return nullptr;
    ::SendMessageW(m_hWnd, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    m_ToolTips.Create(m_hWnd);
    BindAndSubclass(m_hWnd);
    return m_hWnd;
}

void ToolBar_CL::SetImageList(HIMAGELIST images) {
    if (!m_hWnd) return;
    ::SendMessageW(m_hWnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

ToolButton_CL* ToolBar_CL::Record(int index) {
    if (index < 0 || index >= m_nButtonCapacity) return nullptr;
    return &m_pButtons[index];
}

void ToolBar_CL::SetButtonStyle(int index, BYTE style) {
    if (ToolButton_CL* record = Record(index)) record->m_Button.fsStyle = style;
}

int ToolBar_CL::ButtonCount() const {
    if (!m_hWnd) return 0;
    return static_cast<int>(::SendMessageW(m_hWnd, TB_BUTTONCOUNT, 0, 0));
}

bool ToolBar_CL::InsertButton(int index, int image, int command, const wchar_t* toolTip) {
    ToolButton_CL* record = Record(index);
    if (!record || record->m_nIndex != -1 || !m_hWnd) return false;
    record->m_Button.iBitmap = image;
    record->m_Button.idCommand = command;
    record->m_Button.dwData = 0;
    record->m_Button.iString = 0;
    const int position = ButtonCount();
    if (!::SendMessageW(m_hWnd, TB_INSERTBUTTONW, position, reinterpret_cast<LPARAM>(&record->m_Button))) {
        return false;
    }
    ::SendMessageW(m_hWnd, TB_AUTOSIZE, 0, 0);
    // Every inserted button keeps its place, with a tooltip or without, so
    // that the tooltips of later buttons are found again.
    record->m_nIndex = ButtonCount() - 1;
    if (toolTip) {
        record->m_ToolTip = toolTip;
        RebuildTooltips();
    }
    return true;
}

void ToolBar_CL::RebuildTooltips() {
    m_ToolTips.RemoveAllTools();
    for (int i = 0; i < m_nButtonCapacity; ++i) {
        ToolButton_CL& record = m_pButtons[i];
        if (record.m_nIndex == -1 || record.m_ToolTip.empty()) continue;
        RECT rect{};
        ::SendMessageW(m_hWnd, TB_GETITEMRECT, record.m_nIndex, reinterpret_cast<LPARAM>(&rect));
        m_ToolTips.AddTool(rect, m_hWnd, static_cast<UINT_PTR>(record.m_Button.idCommand),
                           record.m_ToolTip.c_str());
    }
}

void ToolBar_CL::SetButtonState(int command, BYTE state) {
    if (m_hWnd) ::SendMessageW(m_hWnd, TB_SETSTATE, command, MAKELPARAM(state, 0));
}

} // namespace lum
