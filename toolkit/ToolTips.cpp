#include "toolkit/ToolTips.h"

namespace lum {

namespace {
constexpr int kTipMargin = 5;
constexpr int kTipMaxWidth = 200;  // long tips wrap here

TTTOOLINFOW ToolInfo() {
    TTTOOLINFOW info{};
    // The size that every comctl32 version accepts.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    return info;
}
} // namespace

HWND ToolTips_CL::Create(HWND owner) {
    m_hTipWnd = ::CreateWindowExW(0, TOOLTIPS_CLASSW, L"", TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ::GetModuleHandleW(nullptr),
                                  nullptr);
    return m_hTipWnd;
}

bool ToolTips_CL::AddTool(const RECT& rect, HWND toolWindow, UINT_PTR toolId, const wchar_t* text) {
    if (!m_hTipWnd) return false;
    TTTOOLINFOW info = ToolInfo();
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = toolWindow;
    info.uId = toolId;
    info.rect = rect;
    info.hinst = ::GetModuleHandleW(nullptr);
    info.lpszText = const_cast<wchar_t*>(text);
    const bool added = ::SendMessageW(m_hTipWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    RECT margin{kTipMargin, kTipMargin, kTipMargin, kTipMargin};
    ::SendMessageW(m_hTipWnd, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    ::SendMessageW(m_hTipWnd, TTM_SETMAXTIPWIDTH, 0, kTipMaxWidth);
    return added;
}

int ToolTips_CL::ToolCount() const {
    if (!m_hTipWnd) return 0;
    return static_cast<int>(::SendMessageW(m_hTipWnd, TTM_GETTOOLCOUNT, 0, 0));
}

void ToolTips_CL::RemoveAllTools() {
    // Always delete the first tool: the list closes up behind it.
    for (int n = ToolCount(); n > 0; --n) {
        TTTOOLINFOW info = ToolInfo();
        if (!::SendMessageW(m_hTipWnd, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info))) break;
        ::SendMessageW(m_hTipWnd, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

} // namespace lum
