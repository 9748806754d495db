#pragma once
// The command bar on top of the main window: a rebar with the browser
// toolbar, the saver toolbar and, on a row of its own, the address bar. It
// also shows the menus behind its buttons and the saver context menu.
#include "base/CurrentSelection.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/DropDownMenuFactory.h"
#include "toolkit/ImageList.h"
#include "toolkit/ReBer.h"
#include "toolkit/SubClassHook.h"
#include "toolkit/ToolBar.h"

#include <memory>
#include <string>
#include <vector>

namespace lum {

class BrowserWindow_CL;
class LikeMenu_CL;

class MenuMain_CL : public ReBer_CL, public DropDownMenuFactory_IF {
public:
    MenuMain_CL();
    ~MenuMain_CL() override;

    // The pane the address bar navigates and whose history the menus show.
    void SetBrowser(BrowserWindow_CL* browser) { m_pBrowser = browser; }
    // Builds the rebar, its toolbars and the address bar in the owner.
    HWND BuildCommandBar(HWND owner, CurrentSelection* selection);

    // 1126/1127 history, 1131 favourites, 1134/1135 saver context menu.
    void ShowDropDownMenu(int command, UINT flags, int x, int y, HWND owner) override;

    // Run, edit and set-as-saver follow whether the selected saver exists.
    void SetSaverButtonsEnabled(bool enabled);
    // Back and forward are enabled while their history lists have entries.
    void UpdateHistoryButtons();

    // The path behind a favourites command, empty for an id the last
    // favourites menu did not hand out.
    std::wstring FavouritePath(UINT id) const;
    const std::vector<std::wstring>& FavouritePaths() const { return m_FavoritePaths; }
    // Where the favourites menu is read from; the user's folder unless set.
    void SetFavouritesFolder(std::wstring folder) { m_favouritesFolder = std::move(folder); }

    // The menus as they would be shown (tests look at them without tracking).
    std::unique_ptr<LikeMenu_CL> BuildFavouritesMenu();
    void BuildContextMenu(PopupMenu_CL& menu) const;

    HWND AddressCombo() const;
    void SetAddressText(const std::wstring& url);
    ToolBar_CL& BrowserBar() { return m_BrowserBar; }
    ToolBar_CL& SaverBar() { return m_SaverBar; }
    UINT SaverButtonState() const { return m_nSaverButtonState; }
    // The address typed into the bar: stored first in the history, navigated.
    void EnterAddress();

private:
    void BuildAddressBar();
    std::wstring FavouritesFolder() const;
    void Track(const PopupMenu_CL& menu, int x, int y, HWND owner) const;

    static LRESULT AddressEnterHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT AddressHostHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hOwnerWnd = nullptr;
    CurrentSelection* m_pSelection = nullptr;
    ControlFactory_CL m_AddressControls;
    ComboBox_CL* m_pAddressCombo = nullptr;
    SubClass_CL m_EditHook;
    StaticText_CL* m_pAddressHost = nullptr;
    Button_CL* m_pGoButton = nullptr;
    ToolBar_CL m_BrowserBar;
    ImageList_CL m_BrowserImages;
    ToolBar_CL m_SaverBar;
    ImageList_CL m_SaverImages;
    std::vector<std::wstring> m_FavoritePaths;
    std::wstring m_favouritesFolder;
    BrowserWindow_CL* m_pBrowser = nullptr;
    UINT m_nSaverButtonState = TBSTATE_INDETERMINATE;
};

} // namespace lum
