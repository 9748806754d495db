#pragma once
// A rebar with up to eight bands, chevrons for toolbar bands and drop-down
// arrows that ask the owner's menu factory. A ninth band is refused.
#include "toolkit/DropDownMenuFactory.h"
#include "toolkit/ImageList.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/SubClassWindow.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace lum {

constexpr int kReBarCapacity = 8;

struct RebarBand_CL {
    REBARBANDINFOW m_Info{};
    int m_nPosition = 0;     // the number of bands when it was inserted
    bool m_bInserted = false;
    std::wstring m_Text;     // what lpText points at
};

class ReBer_CL : public SubClassWindowBase_CL {
public:
    ReBer_CL();
    ~ReBer_CL() override = default;

    virtual HWND CreateRebar(DWORD exStyle, DWORD style, HWND parent, HINSTANCE instance, void* param);
    // The owner hands its WM_SIZE and WM_NOTIFY here.
    virtual LRESULT HandleOwnerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The band record to prepare before InsertBand; null outside the eight.
    RebarBand_CL* Band(int index);
    // Sizes the band to the toolbar's buttons (100 pixels to spare) and
    // gives it a chevron.
    bool AttachToolbar(int band, HWND toolbar);
    // Appends the band after the last one. Refused for a record outside
    // the eight, one already inserted, or a full rebar.
    bool InsertBand(int band, const std::wstring& text);
    int BandCount() const;

    // Fills the menu with the buttons of the band that the chevron hides;
    // returns where the menu opens (screen coordinates).
    POINT BuildChevronMenu(const NMREBARCHEVRON& chevron, PopupMenu_CL& menu);
    LRESULT ShowChevronMenu(const NMREBARCHEVRON& chevron);

    REBARINFO m_BarInfo{};
    ImageList_CL m_ImageList;
    const wchar_t* m_pszBitmapFile = nullptr;  // band images; null = none
    int m_nImageWidth = 24;
    std::vector<HWND> m_ChevronChildren;
    DropDownMenuFactory_IF* m_pDropDownFactory = nullptr;  // not owned
    RebarBand_CL m_Bands[kReBarCapacity];
    RebarBand_CL* m_pBands;

private:
    bool IsOwnSender(HWND from) const;
    void RelayoutOwner();
    void OpenDropDown(const NMTOOLBARW& notice);
};

} // namespace lum
