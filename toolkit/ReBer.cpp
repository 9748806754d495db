#include "toolkit/ReBer.h"

#include "toolkit/Chevron.h"
#include "toolkit/Relayout.h"

#include <algorithm>
#include <cstddef>

namespace lum {

namespace {
// The size without the later fields, which every comctl32 accepts: 80 bytes on 32-bit.
constexpr UINT kBandInfoSize = offsetof(REBARBANDINFOW, cxHeader) + sizeof(UINT);
constexpr int kExtraBandWidth = 100;
constexpr int kChevronMenuInset = 10;
constexpr int kButtonTextLength = 256;

void ResetBand(RebarBand_CL& band) {
    band = RebarBand_CL{};
    band.m_Info.cbSize = kBandInfoSize;
    band.m_Info.fMask = RBBIM_STYLE | RBBIM_SIZE | RBBIM_IDEALSIZE;
    band.m_Info.fStyle = RBBS_CHILDEDGE;
    band.m_Info.cx = 64;
}

RECT ScreenRect(HWND window, RECT rect) {
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
} // namespace

ReBer_CL::ReBer_CL() : m_pBands(m_Bands) {
    for (RebarBand_CL& band : m_Bands) ResetBand(band);
}

HWND ReBer_CL::CreateRebar(DWORD exStyle, DWORD style, HWND parent, HINSTANCE instance, void* param) {
    m_hWnd = ::CreateWindowExW(exStyle, REBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, parent, nullptr, instance,
                               param);
    if (!m_hWnd) return nullptr;
    BindAndSubclass(m_hWnd);
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    m_BarInfo = REBARINFO{};
    m_BarInfo.cbSize = sizeof(REBARINFO);
    if (m_pszBitmapFile && m_ImageList.LoadImageStrip(m_pszBitmapFile, m_nImageWidth)) {
        m_BarInfo.fMask |= RBIM_IMAGELIST;
        m_BarInfo.himl = m_ImageList.Handle();
    }
    ::SendMessageW(m_hWnd, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&m_BarInfo));
    return m_hWnd;
}

RebarBand_CL* ReBer_CL::Band(int index) {
    if (index < 0 || index >= kReBarCapacity) return nullptr;
    return &m_pBands[index];
}

int ReBer_CL::BandCount() const {
    if (!m_hWnd) return 0;
    return static_cast<int>(::SendMessageW(m_hWnd, RB_GETBANDCOUNT, 0, 0));
}

bool ReBer_CL::AttachToolbar(int bandIndex, HWND toolbar) {
    RebarBand_CL* band = Band(bandIndex);
    if (!band || !toolbar) return false;
    REBARBANDINFOW& info = band->m_Info;
    info.fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE;
    info.fStyle |= RBBS_USECHEVRON;

    const LONG_PTR style = ::GetWindowLongPtrW(toolbar, GWL_STYLE);
    ::SetWindowLongPtrW(toolbar, GWL_STYLE, style & ~static_cast<LONG_PTR>(CCS_NORESIZE));
    const int count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    RECT first{};
    RECT last{};
    if (count > 0) {
        ::SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        ::SendMessageW(toolbar, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
    }
    const int width = last.right - first.left;
    const int height = last.bottom - first.top;
    ::MoveWindow(toolbar, first.left, first.top, width, height, TRUE);
    info.cx = static_cast<UINT>(width);
    info.cxIdeal = static_cast<UINT>(width);
    info.cxMinChild = 0;
    info.cyMinChild = static_cast<UINT>(height);
    ::SetWindowLongPtrW(toolbar, GWL_STYLE, ::GetWindowLongPtrW(toolbar, GWL_STYLE) | CCS_NORESIZE);
    info.cx += kExtraBandWidth;
    info.hwndChild = toolbar;
    return true;
}

bool ReBer_CL::InsertBand(int bandIndex, const std::wstring& text) {
    RebarBand_CL* band = Band(bandIndex);
    if (!band || band->m_bInserted || !m_hWnd) return false;
    const int count = BandCount();
    if (count >= kReBarCapacity) return false;
    band->m_Text = text;
    band->m_Info.fMask |= RBBIM_TEXT;
    band->m_Info.lpText = const_cast<wchar_t*>(band->m_Text.c_str());
    band->m_Info.cch = 0;
    band->m_nPosition = count;
    if (!::SendMessageW(m_hWnd, RB_INSERTBANDW, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(&band->m_Info))) {
        return false;
    }
    band->m_bInserted = true;
    if ((band->m_Info.fStyle & RBBS_USECHEVRON) && band->m_Info.hwndChild) {
        m_ChevronChildren.push_back(band->m_Info.hwndChild);
    }
    return true;
}

bool ReBer_CL::IsOwnSender(HWND from) const {
    if (!from) return false;
    if (from == m_hWnd) return true;
    return std::find(m_ChevronChildren.begin(), m_ChevronChildren.end(), from) != m_ChevronChildren.end();
}

LRESULT ReBer_CL::HandleOwnerMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        if (m_hWnd) ::SendMessageW(m_hWnd, WM_SIZE, wParam, lParam);
        return 0;
    }
    if (message != WM_NOTIFY || !lParam) return 0;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!IsOwnSender(header->hwndFrom)) return 0;
    switch (header->code) {
    case RBN_CHEVRONPUSHED:
        return ShowChevronMenu(*reinterpret_cast<const NMREBARCHEVRON*>(lParam));
    case RBN_HEIGHTCHANGE:
        RelayoutOwner();
        return 0;
    case TBN_DROPDOWN:
        OpenDropDown(*reinterpret_cast<const NMTOOLBARW*>(lParam));
        return 0;
    default:
        return 0;
    }
}

void ReBer_CL::RelayoutOwner() {
    if (HWND owner = ::GetParent(m_hWnd)) RelayoutWindow(owner);
}

void ReBer_CL::OpenDropDown(const NMTOOLBARW& notice) {
    HWND toolbar = notice.hdr.hwndFrom;
    RECT rect{};
    ::SendMessageW(toolbar, TB_GETRECT, notice.iItem, reinterpret_cast<LPARAM>(&rect));
    TBBUTTONINFOW button{};
    button.cbSize = sizeof(button);
    button.dwMask = TBIF_COMMAND;
    ::SendMessageW(toolbar, TB_GETBUTTONINFOW, notice.iItem, reinterpret_cast<LPARAM>(&button));
    rect = ScreenRect(toolbar, rect);
    if (m_pDropDownFactory) {
        m_pDropDownFactory->ShowDropDownMenu(button.idCommand, kDropDownFlags, rect.left, rect.bottom,
                                             ::GetParent(m_hWnd));
    }
}

POINT ReBer_CL::BuildChevronMenu(const NMREBARCHEVRON& chevron, PopupMenu_CL& menu) {
    menu.CreatePopup();
    REBARBANDINFOW band{};
    band.cbSize = kBandInfoSize;
    band.fMask = RBBIM_CHILD | RBBIM_LPARAM | RBBIM_HEADERSIZE;
    ::SendMessageW(m_hWnd, RB_GETBANDINFOW, chevron.uBand, reinterpret_cast<LPARAM>(&band));
    RECT bandRect{};
    ::SendMessageW(m_hWnd, RB_GETRECT, chevron.uBand, reinterpret_cast<LPARAM>(&bandRect));
    bandRect = ScreenRect(m_hWnd, bandRect);
    const POINT at{bandRect.right - kChevronMenuInset, bandRect.bottom};
    HWND toolbar = band.hwndChild;
    if (!toolbar) return at;

    // The rebar sizes the child to the room left of the chevron; a button
    // that reaches under the chevron cannot be clicked, so it counts as hidden.
    RECT visible = bandRect;
    RECT child{};
    if (::GetWindowRect(toolbar, &child)) ::IntersectRect(&visible, &bandRect, &child);

    const int count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    std::vector<RECT> buttons(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        ::SendMessageW(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&buttons[i]));
        buttons[i] = ScreenRect(toolbar, buttons[i]);
    }
    const int hidden = CountHiddenButtons(visible, buttons);

    for (int i = count - hidden; i < count; ++i) {
        wchar_t text[kButtonTextLength] = {};
        TBBUTTONINFOW button{};
        button.cbSize = sizeof(button);
        button.dwMask = TBIF_BYINDEX | TBIF_IMAGE | TBIF_TEXT | TBIF_STATE | TBIF_STYLE | TBIF_LPARAM |
                        TBIF_COMMAND;
        button.pszText = text;
        button.cchText = kButtonTextLength;
        if (::SendMessageW(toolbar, TB_GETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&button)) == -1) continue;
        text[kButtonTextLength - 1] = L'\0';
        if (button.fsStyle & BTNS_SEP) {
            menu.AppendSeparator();
            continue;
        }
        MenuEntry_CL* entry = menu.GetEntry(menu.EntryCount());
        entry->m_Info.fState = ChevronItemState(button.fsState);
        entry->m_nImage = button.iImage;
        entry->m_Info.wID = static_cast<UINT>(button.idCommand);
        menu.AppendItem(*entry, text);
    }
    menu.m_hImageList = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    return at;
}

LRESULT ReBer_CL::ShowChevronMenu(const NMREBARCHEVRON& chevron) {
    PopupMenu_CL menu;
    const POINT at = BuildChevronMenu(chevron, menu);
    if (menu.EntryCount() > 0) {
        ::TrackPopupMenu(menu.Handle(), TPM_VERTICAL, at.x, at.y, 0, ::GetParent(m_hWnd), nullptr);
    }
    return 1;
}

} // namespace lum
