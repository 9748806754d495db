#include "toolkit/PopupMenu.h"

namespace lum {

PopupMenu_CL::~PopupMenu_CL() {
    if (!m_hMenu) return;
    // DestroyMenu takes submenus with it; a submenu that has its own object
    // is destroyed by that object, so it is detached first.
    const HMENU menu = m_hMenu.get();
    for (int position = ::GetMenuItemCount(menu) - 1; position >= 0; --position) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(menu, position, TRUE, &item) || !item.hSubMenu) continue;
        for (const MenuEntry_CL& entry : m_Entries) {
            if (entry.m_pSubMenu && entry.m_pSubMenu->Handle() == item.hSubMenu) {
                ::RemoveMenu(menu, position, MF_BYPOSITION);
                break;
            }
        }
    }
}

HMENU PopupMenu_CL::CreatePopup() {
    if (!m_hMenu) m_hMenu.reset(::CreatePopupMenu());
    return m_hMenu.get();
}

MenuEntry_CL* PopupMenu_CL::GetEntry(int index) {
    if (index < 0 || index > EntryCount()) return nullptr;
    if (index == EntryCount()) {
        MenuEntry_CL& entry = m_Entries.emplace_back();
        entry.m_Info.cbSize = sizeof(MENUITEMINFOW);
        entry.m_Info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
        entry.m_Info.fType = MFT_OWNERDRAW;
    }
    return &m_Entries[index];
}

MenuEntry_CL* PopupMenu_CL::FindEntry(UINT command) {
    for (MenuEntry_CL& entry : m_Entries) {
        if (entry.m_Info.wID == command) return &entry;
    }
    return nullptr;
}

const MenuEntry_CL* PopupMenu_CL::FindEntry(UINT command) const {
    return const_cast<PopupMenu_CL*>(this)->FindEntry(command);
}

bool PopupMenu_CL::AppendItem(MenuEntry_CL& entry, const std::wstring& text) {
    if (!m_hMenu) return false;
    entry.m_Text = text;
    entry.m_Info.dwTypeData = const_cast<wchar_t*>(entry.m_Text.c_str());
    entry.m_Info.cch = static_cast<UINT>(entry.m_Text.size());
    entry.m_Info.fType = MFT_OWNERDRAW;
    entry.m_Info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    return ::InsertMenuItemW(m_hMenu.get(), ::GetMenuItemCount(m_hMenu.get()), TRUE, &entry.m_Info) != FALSE;
}

bool PopupMenu_CL::AppendSeparator() {
    if (!m_hMenu) return false;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_TYPE;
    info.fType = MFT_SEPARATOR;
    return ::InsertMenuItemW(m_hMenu.get(), ::GetMenuItemCount(m_hMenu.get()), TRUE, &info) != FALSE;
}

bool PopupMenu_CL::SetItemState(int index, UINT state) {
    if (index < 0 || index >= EntryCount() || !m_hMenu) return false;
    MenuEntry_CL& entry = m_Entries[index];
    entry.m_Info.fState = state;
    MENUITEMINFOW change{};
    change.cbSize = sizeof(change);
    change.fMask = MIIM_STATE;
    change.fState = state;
    return ::SetMenuItemInfoW(m_hMenu.get(), entry.m_Info.wID, FALSE, &change) != FALSE;
}

PopupMenu_CL* MenuOfItemData(ULONG_PTR itemData) { return reinterpret_cast<PopupMenu_CL*>(itemData); }

} // namespace lum
