#pragma once
// An owner-drawn popup menu whose items carry an image index. The owner
// window draws the items: it finds this object in an item's data and the
// entry with FindEntry.
#include "base/Scoped.h"

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <string>

namespace lum {

class PopupMenu_CL;

struct MenuEntry_CL {
    MENUITEMINFOW m_Info{};              // what InsertMenuItemW got
    int m_nImage = 0;                    // index in the menu's image list; -1 none
    PopupMenu_CL* m_pSubMenu = nullptr;  // the submenu object, not owned
    std::wstring m_Text;                 // the item's text, kept with the entry
};

class PopupMenu_CL {
public:
    PopupMenu_CL() = default;
    virtual ~PopupMenu_CL();  // destroys the menu
    PopupMenu_CL(const PopupMenu_CL&) = delete;
    PopupMenu_CL& operator=(const PopupMenu_CL&) = delete;

    virtual HMENU CreatePopup();
    HMENU Handle() const { return m_hMenu.get(); }

    // The entry at the index; the index equal to the count appends a fresh
    // entry. Null beyond that. Entries never move once made.
    MenuEntry_CL* GetEntry(int index);
    MenuEntry_CL* FindEntry(UINT command);
    const MenuEntry_CL* FindEntry(UINT command) const;
    int EntryCount() const { return static_cast<int>(m_Entries.size()); }

    // Inserts the entry as the last item with a copy of the text.
    bool AppendItem(MenuEntry_CL& entry, const std::wstring& text);
    bool AppendSeparator();
    // Sets the entry's state and applies it to the item.
    bool SetItemState(int index, UINT state);

    std::deque<MenuEntry_CL> m_Entries;
    HIMAGELIST m_hImageList = nullptr;  // not owned; null draws text only

private:
    UniqueMenu m_hMenu;
};

// The menu object that an owner-drawn item names in its data.
PopupMenu_CL* MenuOfItemData(ULONG_PTR itemData);

} // namespace lum
