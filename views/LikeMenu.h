#pragma once
// The favourites menu, built from the user's Favorites folder: one submenu
// per folder and one item per Internet shortcut, each with the shell's icon.
#include "base/Scoped.h"
#include "saver/FindFile_CL.h"
#include "toolkit/PopupMenu.h"

#include <memory>
#include <string>
#include <vector>

namespace lum {

class LikeMenu_CL : public FindFile_CL {
public:
    // `paths` receives the full path of every item, in id order; `pageShown`
    // enables "お気に入りに追加"; large icons when `largeIcons`. Items take
    // ids from `firstId` up to the end of the favourites range.
    LikeMenu_CL(std::vector<std::wstring>& paths, bool pageShown, bool largeIcons, UINT firstId = 1154);
    ~LikeMenu_CL() override = default;

    // Walks the folder and builds the menus; the root menu, or null.
    PopupMenu_CL* Build(const std::wstring& favouritesFolder);
    PopupMenu_CL* RootMenu() const { return m_Menus.empty() ? nullptr : m_Menus.front().get(); }
    UINT NextId() const { return m_nNextId; }

protected:
    void OnEnterDirectory(const std::wstring& folder, const std::wstring& name) override;
    void OnFile(const std::wstring& folder, const std::wstring& fileName) override;
    void OnLeaveDirectory() override;

private:
    // The next id, or 0 once the favourites range is used up.
    UINT TakeId();
    void AddItemIcon(const std::wstring& path, MenuEntry_CL& entry);

    std::vector<std::wstring>& m_Paths;
    bool m_bPageShown;
    UniqueImageList m_hImageList;
    UINT m_uIconFlags;
    UINT m_nNextId;
    PopupMenu_CL* m_pCurrentMenu = nullptr;
    std::vector<PopupMenu_CL*> m_MenuStack;
    std::vector<std::unique_ptr<PopupMenu_CL>> m_Menus;
    int m_nSkippedDepth = 0;  // inside a folder that is not shown
};

} // namespace lum
