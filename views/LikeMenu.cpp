#include "views/LikeMenu.h"

#include "base/Messages.h"
#include "views/BrowserRules.h"

#include <shellapi.h>

namespace lum {

LikeMenu_CL::LikeMenu_CL(std::vector<std::wstring>& paths, bool pageShown, bool largeIcons, UINT firstId)
    : m_Paths(paths),
      m_bPageShown(pageShown),
      m_uIconFlags(largeIcons ? SHGFI_LARGEICON : SHGFI_SMALLICON),
      m_nNextId(firstId) {
    const int cx = ::GetSystemMetrics(largeIcons ? SM_CXICON : SM_CXSMICON);
    const int cy = ::GetSystemMetrics(largeIcons ? SM_CYICON : SM_CYSMICON);
    m_hImageList.reset(::ImageList_Create(cx, cy, ILC_COLORDDB | ILC_MASK, 16, 16));
    if (m_hImageList) ::ImageList_SetBkColor(m_hImageList.get(), ::GetSysColor(COLOR_MENU));
}

PopupMenu_CL* LikeMenu_CL::Build(const std::wstring& favouritesFolder) {
    m_Paths.clear();
    Find(favouritesFolder + L"\\*.*", true);
    return RootMenu();
}

UINT LikeMenu_CL::TakeId() {
    if (!FavouriteIdAvailable(m_nNextId)) return 0;
    return m_nNextId++;
}

void LikeMenu_CL::OnEnterDirectory(const std::wstring& folder, const std::wstring& name) {
    const bool root = m_pCurrentMenu == nullptr;
    const std::wstring path = root ? folder : folder + L"\\" + name;
    if (!root && (m_nSkippedDepth > 0 || !IsFavouriteCandidate(::GetFileAttributesW(path.c_str()), name))) {
        ++m_nSkippedDepth;
        return;
    }
    UINT id = 0;
    if (!root && (id = TakeId()) == 0) {
        ++m_nSkippedDepth;
        return;
    }
    m_Menus.push_back(std::make_unique<PopupMenu_CL>());
    PopupMenu_CL* menu = m_Menus.back().get();
    menu->CreatePopup();
    menu->m_hImageList = m_hImageList.get();
    m_MenuStack.push_back(menu);

    if (root) {
        MenuEntry_CL* add = menu->GetEntry(0);
        add->m_Info.wID = kCmdAddFavourite;
        add->m_Info.fState = m_bPageShown ? 0 : MFS_GRAYED;
        add->m_nImage = -1;
        menu->AppendItem(*add, L"お気に入りに追加");
        MenuEntry_CL* organise = menu->GetEntry(1);
        organise->m_Info.wID = kCmdOrganiseFavourites;
        organise->m_nImage = -1;
        menu->AppendItem(*organise, L"お気に入りの整理");
    } else {
        MenuEntry_CL* entry = m_pCurrentMenu->GetEntry(m_pCurrentMenu->EntryCount());
        AddItemIcon(path, *entry);
        entry->m_Info.hSubMenu = menu->Handle();
        entry->m_pSubMenu = menu;
        entry->m_Info.wID = id;
        m_pCurrentMenu->AppendItem(*entry, name);
    }
    m_pCurrentMenu = menu;
}

void LikeMenu_CL::OnFile(const std::wstring& folder, const std::wstring& fileName) {
    if (m_nSkippedDepth > 0 || !m_pCurrentMenu) return;
    const std::wstring path = folder + L"\\" + fileName;
    if (!IsFavouriteCandidate(::GetFileAttributesW(path.c_str()), fileName)) return;
    const UINT id = TakeId();
    if (id == 0) return;
    MenuEntry_CL* entry = m_pCurrentMenu->GetEntry(m_pCurrentMenu->EntryCount());
    AddItemIcon(path, *entry);
    entry->m_Info.wID = id;
    m_pCurrentMenu->AppendItem(*entry, DisplayNameOf(fileName));
}

void LikeMenu_CL::OnLeaveDirectory() {
    if (m_nSkippedDepth > 0) {
        --m_nSkippedDepth;
        return;
    }
    if (!m_MenuStack.empty()) m_MenuStack.pop_back();
    if (!m_MenuStack.empty()) m_pCurrentMenu = m_MenuStack.back();
}

void LikeMenu_CL::AddItemIcon(const std::wstring& path, MenuEntry_CL& entry) {
    m_Paths.push_back(path);
    SHFILEINFOW info{};
    const auto system = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | m_uIconFlags));
    if (!system || !m_hImageList) return;
    UniqueIcon icon(::ImageList_GetIcon(system, info.iIcon, ILD_TRANSPARENT));
    if (!icon) return;
    const int index = ::ImageList_ReplaceIcon(m_hImageList.get(), -1, icon.get());
    if (index >= 0) entry.m_nImage = index;
}

} // namespace lum
