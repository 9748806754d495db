#include "views/SaverListTabWindow.h"

#include <commctrl.h>

namespace lum {

namespace {

constexpr DWORD kTabStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_MULTILINE;
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN | LBS_NOTIFY |
                             LBS_OWNERDRAWFIXED | LBS_NODATA;

HMENU ChildId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

int ListCount(HWND list) { return static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); }

// What a row shows of its thumbnail: from its origin up to the text box,
// which covers the rest, and down to the row's bottom.
SIZE ShownThumbnailArea() {
    const RECT row{0, 0, 0, kSaverRowHeight};
    const POINT origin = RowThumbnailOrigin(row);
    return SIZE{static_cast<LONG>(RowTextBox(row).x) - origin.x, kSaverRowHeight - origin.y};
}

constexpr size_t kKeptThumbnails = 200;  // a few screens of rows, about 10 MB at most

} // namespace

SaverListWindow_CL::~SaverListWindow_CL() { m_runner.Stop(); }

SaverListTabWindow_CL::~SaverListTabWindow_CL() = default;

HWND SaverListTabWindow_CL::Create(SaverCatalog* catalog, HFONT font, HWND mainWindow) {
    m_pCatalog = catalog;
    m_hMainWindow = mainWindow;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    HWND tabs = CreateAndSubclass(WS_EX_CLIENTEDGE, WC_TABCONTROLW, nullptr, kTabStyle, 0, 0, 300, 300, mainWindow,
                                  ChildId(kIdCategoryTabs), instance, nullptr);
    if (!tabs) return nullptr;
    ::SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);

    m_hListBox = ::CreateWindowExW(0, L"ListBox", nullptr, kListStyle, 0, 0, 150, 300, tabs, ChildId(kIdSaverList),
                                   instance, nullptr);
    m_listObject.SetWindow(m_hListBox);
    if (m_hListBox) {
        ::SendMessageW(m_hListBox, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        ::SendMessageW(m_hListBox, LB_SETITEMHEIGHT, 0, kSaverRowHeight);
    }
    RebuildTabs();
    if (m_hListBox) ::MakeDragList(m_hListBox);
    m_uDragListMsg = ::RegisterWindowMessageW(L"commctrl_DragListMsg");
    return tabs;
}

SaverListTabWindow_CL::SaverListTabWindow_CL() : m_thumbnails(ShownThumbnailArea(), kKeptThumbnails) {}

void SaverListTabWindow_CL::RebuildTabs() {
    m_thumbnails.Clear();  // a reload: entries and their pictures may have changed
    if (!m_hWnd) return;
    ::SendMessageW(m_hWnd, TCM_DELETEALLITEMS, 0, 0);
    m_tabCategories.clear();
    const std::vector<CategoryTab> plan =
        m_pCatalog ? PlanCategoryTabs(*m_pCatalog) : std::vector<CategoryTab>{CategoryTab{L"全て", 0}};
    for (const CategoryTab& tab : plan) {
        std::wstring text = tab.text;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = &text[0];
        const auto index = static_cast<WPARAM>(m_tabCategories.size());
        ::SendMessageW(m_hWnd, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
        m_tabCategories.push_back(tab.slot);
    }
}

void SaverListTabWindow_CL::SelectTab(int index) {
    if (!m_hWnd) return;
    ::SendMessageW(m_hWnd, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    m_nDragStart = -1;
    m_bExtraRow = false;
    const int slot = CategorySlotOfTab(index);
    size_t count = 0;
    if (m_pCatalog && slot >= 0 && static_cast<size_t>(slot) < m_pCatalog->groups.size())
        count = m_pCatalog->groups[static_cast<size_t>(slot)].items.size();
    if (m_hListBox) {
        ::SendMessageW(m_hListBox, LB_SETCOUNT, count, 0);
        // Row numbers now mean other entries: a highlight left on the old
        // row number would point at a saver that is not the one previewed.
        ::SendMessageW(m_hListBox, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        ::InvalidateRect(m_hListBox, nullptr, TRUE);
    }
}

int SaverListTabWindow_CL::CategorySlotOfTab(int index) const {
    if (m_tabCategories.empty()) return 0;
    if (index < 0 || static_cast<size_t>(index) >= m_tabCategories.size()) return m_tabCategories.front();
    return m_tabCategories[static_cast<size_t>(index)];
}

int SaverListTabWindow_CL::CurrentCategorySlot() const {
    const int tab = m_hWnd ? static_cast<int>(::SendMessageW(m_hWnd, TCM_GETCURSEL, 0, 0)) : -1;
    return CategorySlotOfTab(tab);
}

int SaverListTabWindow_CL::FindTabByName(const std::wstring& name) const {
    if (!m_hWnd) return -1;
    const int count = static_cast<int>(::SendMessageW(m_hWnd, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[1024] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 1024;
        if (!::SendMessageW(m_hWnd, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
        if (name == item.pszText) return i;
    }
    return -1;
}

const CategoryGroup* SaverListTabWindow_CL::CurrentGroup() const {
    const int slot = CurrentCategorySlot();
    if (!m_pCatalog || slot < 0 || static_cast<size_t>(slot) >= m_pCatalog->groups.size()) return nullptr;
    return &m_pCatalog->groups[static_cast<size_t>(slot)];
}

LRESULT SaverListTabWindow_CL::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_uDragListMsg != 0 && message == m_uDragListMsg && lParam)
        return OnDragList(*reinterpret_cast<const DRAGLISTINFO*>(lParam));
    switch (message) {
    case WM_SIZE: {
        const LRESULT result = SubClassWindowBase_CL::HandleMessage(hwnd, message, wParam, lParam);
        LayOut();
        return result;
    }
    case WM_DRAWITEM:
        if (wParam == kIdSaverList && lParam) {
            DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == kIdSaverList && HIWORD(wParam) == LBN_SELCHANGE) {
            const LRESULT row = ::SendMessageW(m_hListBox, LB_GETCURSEL, 0, 0);
            ::PostMessageW(m_hMainWindow, kMsgSelectionChanged, static_cast<WPARAM>(row), 0);
            return 0;
        }
        break;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_RBUTTONDOWN) {
            const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            OnRightClick(point);
        }
        break;
    case WM_DESTROY:
        m_pRowFont.reset();
        m_thumbnails.Clear();
        break;
    default:
        break;
    }
    return SubClassWindowBase_CL::HandleMessage(hwnd, message, wParam, lParam);
}

void SaverListTabWindow_CL::LayOut() {
    if (!m_hListBox) return;
    RECT area{};
    ::GetClientRect(m_hWnd, &area);
    ::SendMessageW(m_hWnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    ::MoveWindow(m_hListBox, area.left + 8, area.top, (area.right - area.left) - 8, area.bottom - area.top, TRUE);
}

void SaverListTabWindow_CL::DrawRow(const DRAWITEMSTRUCT& draw) {
    if (draw.itemID == static_cast<UINT>(-1) || draw.itemAction == ODA_FOCUS) return;
    const CategoryGroup* group = CurrentGroup();
    if (!group || draw.itemID >= group->items.size()) {
        // The empty row of a drag, or a row of a list that is being refilled.
        DrawEmptyRow(draw.hDC, draw.rcItem);
        return;
    }
    const int32_t index = group->items[draw.itemID];
    if (index < 0 || static_cast<size_t>(index) >= m_pCatalog->items.size()) {
        DrawEmptyRow(draw.hDC, draw.rcItem);
        return;
    }
    if (!m_pRowFont) m_pRowFont = std::make_unique<FallbackFont>(MakeRowFont());
    DrawSaverRow(draw.hDC, draw.rcItem, m_pCatalog->items[static_cast<size_t>(index)],
                 (draw.itemState & ODS_SELECTED) != 0, *m_pRowFont, m_thumbnails);
}

void SaverListTabWindow_CL::OnRightClick(POINT pointInTabs) {
    if (!m_hListBox || ::ChildWindowFromPoint(m_hWnd, pointInTabs) != m_hListBox) return;
    POINT inList = pointInTabs;
    ::MapWindowPoints(m_hWnd, m_hListBox, &inList, 1);
    const LPARAM at = MAKELPARAM(inList.x, inList.y);
    // The list selects the row under a left click; a right click must not
    // start a drag on the way (the drag list would take it for one).
    m_bSyntheticClick = true;
    ::SendMessageW(m_hListBox, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(m_hListBox, WM_LBUTTONUP, 0, at);
    m_bSyntheticClick = false;
    POINT onScreen = pointInTabs;
    ::ClientToScreen(m_hWnd, &onScreen);
    ::PostMessageW(m_hMainWindow, kMsgListContextMenu, 0, MAKELPARAM(onScreen.x, onScreen.y));
}

void SaverListTabWindow_CL::ShowExtraRow() {
    ::SendMessageW(m_hListBox, LB_SETCOUNT, static_cast<WPARAM>(ListCount(m_hListBox) + 1), 0);
    m_bExtraRow = true;
}

void SaverListTabWindow_CL::RemoveExtraRow() {
    if (!m_bExtraRow) return;
    const int count = ListCount(m_hListBox);
    if (count > 0) ::SendMessageW(m_hListBox, LB_SETCOUNT, static_cast<WPARAM>(count - 1), 0);
    m_bExtraRow = false;
}

void SaverListTabWindow_CL::EraseInsertMark() { ::DrawInsert(m_hWnd, m_hListBox, -1); }

LRESULT SaverListTabWindow_CL::OnDragList(const DRAGLISTINFO& info) {
    if (info.hWnd != m_hListBox) return 0;
    switch (info.uNotification) {
    case DL_BEGINDRAG: {
        // The "all" category has no order of its own to change.
        if (m_bSyntheticClick || CurrentCategorySlot() == 0) return FALSE;
        const int row = ::LBItemFromPt(m_hListBox, info.ptCursor, TRUE);
        const CategoryGroup* group = CurrentGroup();
        // A press below the last row has nothing to drag.
        if (!group || row < 0 || static_cast<size_t>(row) >= group->items.size()) return FALSE;
        m_nDragStart = row;
        m_bExtraRow = false;
        m_nDragTarget = -1;
        return TRUE;
    }
    case DL_DRAGGING:
        m_nDragTarget = ::LBItemFromPt(m_hListBox, info.ptCursor, TRUE);
        if (m_nDragTarget != -1 && !m_bExtraRow && m_nDragTarget != m_nDragStart) ShowExtraRow();
        ::DrawInsert(m_hWnd, m_hListBox, InsertMarkRow(m_nDragTarget, m_nDragStart));
        return DL_MOVECURSOR;
    case DL_DROPPED: {
        const int from = m_nDragStart;
        const int to = ::LBItemFromPt(m_hListBox, info.ptCursor, TRUE);
        const int selected = static_cast<int>(::SendMessageW(m_hListBox, LB_GETCURSEL, 0, 0));
        const int slot = CurrentCategorySlot();
        bool moved = false;
        if (from >= 0 && m_pCatalog && slot >= 0 && static_cast<size_t>(slot) < m_pCatalog->groups.size()) {
            std::vector<int32_t>& rows = m_pCatalog->groups[static_cast<size_t>(slot)].items;
            moved = MoveDraggedEntry(rows, from, to);
            if (moved) RenumberCategory(*m_pCatalog, rows);
        }
        RemoveExtraRow();
        EraseInsertMark();
        if (moved) {
            // The selection stays on the entry it was on, and the main
            // window learns its new row (same saver: no restart).
            const int now = RowAfterMove(selected, from, to);
            ::SendMessageW(m_hListBox, LB_SETCURSEL, static_cast<WPARAM>(now), 0);
            if (now != selected) ::PostMessageW(m_hMainWindow, kMsgSelectionChanged, static_cast<WPARAM>(now), 0);
            ::InvalidateRect(m_hListBox, nullptr, TRUE);
        }
        m_nDragStart = -1;
        m_bExtraRow = false;
        return 0;
    }
    case DL_CANCELDRAG:
        if (m_nDragStart >= 0) RemoveExtraRow();
        EraseInsertMark();
        m_nDragStart = -1;
        m_bExtraRow = false;
        return 0;
    default:
        return 0;
    }
}

} // namespace lum
