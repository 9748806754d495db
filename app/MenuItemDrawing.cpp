#include "app/MenuItemDrawing.h"

#include "toolkit/PopupMenu.h"
#include "base/Scoped.h"

namespace lum {

namespace {

SIZE IconSize(HIMAGELIST list) {
    int cx = 0, cy = 0;
    if (list) ::ImageList_GetIconSize(list, &cx, &cy);
    return SIZE{cx, cy};
}

} // namespace

void MeasureMenuItem(HWND owner, MEASUREITEMSTRUCT& item) {
    const PopupMenu_CL* menu = MenuOfItemData(item.itemData);
    const MenuEntry_CL* entry = menu ? menu->FindEntry(item.itemID) : nullptr;
    if (!entry) return;
    WindowDC dc(owner);
    SelectScope font(dc.get(), ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE text{};
    ::GetTextExtentPoint32W(dc.get(), entry->m_Text.c_str(), static_cast<int>(entry->m_Text.size()), &text);
    UINT width = static_cast<UINT>(text.cx);
    UINT height = static_cast<UINT>(text.cy) + 1;
    if (menu->m_hImageList) {
        const SIZE icon = IconSize(menu->m_hImageList);
        width += static_cast<UINT>(icon.cx) + 4;
        if (static_cast<UINT>(icon.cy) + 1 > height) height = static_cast<UINT>(icon.cy) + 1;
    }
    item.itemWidth = width;
    item.itemHeight = height;
}

void DrawMenuItem(const DRAWITEMSTRUCT& item) {
    const PopupMenu_CL* menu = MenuOfItemData(item.itemData);
    const MenuEntry_CL* entry = menu ? menu->FindEntry(item.itemID) : nullptr;
    if (!entry) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool grayed = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    const COLORREF fore = ::GetSysColor(selected ? (grayed ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT)
                                                 : (grayed ? COLOR_BTNSHADOW : COLOR_MENUTEXT));
    HDC dc = item.hDC;
    const COLORREF oldBack = ::SetBkColor(dc, back);
    const COLORREF oldFore = ::SetTextColor(dc, fore);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);

    const SIZE icon = IconSize(menu->m_hImageList);
    RECT textRect = item.rcItem;
    if (menu->m_hImageList) textRect.left += icon.cx + 4;
    {
        SelectScope font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::DrawTextW(dc, entry->m_Text.c_str(), static_cast<int>(entry->m_Text.size()), &textRect,
                    DT_SINGLELINE | DT_VCENTER);
    }
    if (menu->m_hImageList && entry->m_nImage != -1) {
        ::ImageList_DrawEx(menu->m_hImageList, entry->m_nImage, dc, item.rcItem.left, item.rcItem.top, icon.cx,
                           icon.cy, back, fore, ILD_NORMAL);
    }
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldFore);
    ::SetBkColor(dc, oldBack);
}

} // namespace lum
