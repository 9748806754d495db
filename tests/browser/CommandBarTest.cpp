// The command bar in a real main window: the buttons' states, the chevron
// menu, the address bar and the favourites menu from real shortcut files.
// Which context menu item is greyed when is BrowserRulesTest's table.
#include "tests/mainview/MainWindowFixture.h"
#include "tests/dialogs/DialogTestSupport.h"

#include "base/Messages.h"
#include "store/SaverCatalog.h"
#include "views/LikeMenu.h"

#include <commctrl.h>

namespace lum::test {
namespace {

int State(HWND toolbar, int command) {
    return static_cast<int>(::SendMessageW(toolbar, TB_GETSTATE, command, 0));
}

UINT MenuState(HMENU menu, UINT command) { return ::GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED; }

class CommandBarTest : public MainWindowTest {
protected:
    MenuMain_CL& Bar() { return m_view->CommandBar(); }
    void SelectRow(int row) {
        ::SendMessageW(m_hwnd, kMsgSelectionChanged, static_cast<WPARAM>(row), 0);
        PumpFor(std::chrono::milliseconds(50));
    }
};

TEST_F(CommandBarTest, ButtonStatesFollowTheSelectionAndTheHomeButtonShowsTheBrowser) {
    m_collection.AddEntry({L"動物", L"ある", L"", 0, DemoSaver(L"Starfield.scr")});
    m_collection.AddEntry({L"動物", L"ない", L"", 1, m_collection.InRoot(L"Gone.scr")});
    OpenWindow();
    HWND browser = Bar().BrowserBar().Window();
    HWND saver = Bar().SaverBar().Window();

    // Nothing selected, no history yet.
    for (int command : {1150, 1145, 1151}) EXPECT_EQ(State(saver, command), TBSTATE_INDETERMINATE) << command;
    for (int command : {1130, 1146, 1147, 1148}) EXPECT_EQ(State(saver, command), TBSTATE_ENABLED) << command;
    EXPECT_EQ(State(browser, 1126), TBSTATE_INDETERMINATE);
    EXPECT_EQ(State(browser, 1127), TBSTATE_INDETERMINATE);

    SelectRow(0);
    for (int command : {1150, 1145, 1151}) EXPECT_EQ(State(saver, command), TBSTATE_ENABLED) << command;
    PopupMenu_CL chosen;  // the menu follows the selection too
    Bar().BuildContextMenu(chosen);
    EXPECT_EQ(MenuState(chosen.Handle(), 1150), 0u);
    EXPECT_EQ(MenuState(chosen.Handle(), 1125), MF_GRAYED);  // no download address

    SelectRow(1);  // its saver is gone
    for (int command : {1150, 1145, 1151}) EXPECT_EQ(State(saver, command), TBSTATE_INDETERMINATE) << command;

    // A click on the saver bar's home button reaches the main window and shows the browser.
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, static_cast<WPARAM>(-1), 0);
    RECT home{};
    ::SendMessageW(saver, TB_GETRECT, kCmdHomePage, reinterpret_cast<LPARAM>(&home));
    const LPARAM at = MAKELPARAM((home.left + home.right) / 2, (home.top + home.bottom) / 2);
    ::SendMessageW(saver, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(saver, WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(PumpUntil([] { return TheCurrentSelection().right_tab == 0; }));
}

TEST_F(CommandBarTest, ANarrowWindowOffersTheHiddenButtonsInTheChevronMenu) {
    OpenWindow();
    SetClientSize(260, 400);
    NMREBARCHEVRON chevron{};
    chevron.uBand = 1;
    PopupMenu_CL menu;
    Bar().BuildChevronMenu(chevron, menu);
    ASSERT_GT(menu.EntryCount(), 0);
    EXPECT_EQ(menu.m_Entries.back().m_Info.wID, 1148u);
    for (const MenuEntry_CL& entry : menu.m_Entries) {
        const bool itemButton = entry.m_Info.wID == 1150 || entry.m_Info.wID == 1145 || entry.m_Info.wID == 1151;
        EXPECT_EQ(entry.m_Info.fState, itemButton ? static_cast<UINT>(MFS_GRAYED) : 0u) << entry.m_Info.wID;
    }
}

// The history's rule (newest first, thirty at most) is the store's (ListsTest);
// the box shows the stored history and follows it without losing what was typed.
TEST_F(CommandBarTest, EnterStoresTheAddressAndShowsTheBrowserButAnEmptyBoxDoesNothing) {
    const std::wstring page0 = L"http://127.0.0.1:9/page0", page1 = L"http://127.0.0.1:9/page1";
    ASSERT_TRUE(WriteUtf16File(m_collection.catalog.settings_path,
                               L"[ADDRESS_ITEM]\r\ncount=2\r\nitem00=http://b/\r\nitem01=" + page0 + L"\r\n"));
    OpenWindow();
    HWND combo = Bar().AddressCombo();
    EXPECT_EQ(ListTexts(combo), (std::vector<std::wstring>{L"http://b/", page0}));
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, static_cast<WPARAM>(-1), 0);  // preview tab
    for (const std::wstring& address : {page1, page0}) {
        ::SetWindowTextW(combo, address.c_str());
        ::SendMessageW(::GetWindow(combo, GW_CHILD), WM_CHAR, VK_RETURN, 0);
    }
    PumpFor(std::chrono::milliseconds(50));
    const auto& history = m_view->Catalog().address_history;
    EXPECT_EQ(history, (std::vector<std::wstring>{page0, page1, L"http://b/"}));
    EXPECT_EQ(ListTexts(combo), history);
    EXPECT_EQ(WindowText(combo), page0) << "what the user typed stays in the field";
    EXPECT_EQ(TheCurrentSelection().right_tab, 0);  // the browser tab shows

    ::SetWindowTextW(combo, L"");
    HWND go = ::FindWindowExW(::GetParent(combo), nullptr, L"Button", nullptr);
    ASSERT_NE(go, nullptr);
    ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(go), BN_CLICKED),
                   reinterpret_cast<LPARAM>(go));
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(history.size(), 3u);
}

TEST_F(CommandBarTest, FavouritesMenuListsFoldersAndShortcutsWithIdsFrom1154) {
    const std::wstring favourites = m_collection.InRoot(L"Favorites");
    MakeFolders(favourites + L"\\A");
    WriteBytes(favourites + L"\\A\\x.url", std::string("[InternetShortcut]\r\nURL=http://x.example/\r\n"));
    WriteBytes(favourites + L"\\y.url", std::string("[InternetShortcut]\r\nURL=http://y.example/\r\n"));
    WriteBytes(favourites + L"\\notes.txt", std::string("not a shortcut"));
    for (const wchar_t* hidden : {L"\\h.url", L"\\desktop.ini"}) {
        WriteBytes(favourites + hidden, std::string("[InternetShortcut]\r\n"));
        ::SetFileAttributesW((favourites + hidden).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    }
    OpenWindow();
    Bar().SetFavouritesFolder(favourites);
    const auto menu = Bar().BuildFavouritesMenu();
    ASSERT_TRUE(menu && menu->RootMenu());
    HMENU root = menu->RootMenu()->Handle();
    ASSERT_EQ(::GetMenuItemCount(root), 4);
    EXPECT_EQ(::GetMenuItemID(root, 0), kCmdAddFavourite);
    EXPECT_EQ(MenuState(root, kCmdAddFavourite), MF_GRAYED);  // no page shown yet
    HMENU sub = ::GetSubMenu(root, 2);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(::GetMenuItemID(sub, 0), 1155u);
    EXPECT_EQ(::GetMenuItemID(root, 3), 1156u);
    EXPECT_EQ(Bar().FavouritePaths(),
              (std::vector<std::wstring>{favourites + L"\\A", favourites + L"\\A\\x.url", favourites + L"\\y.url"}));

    // 3155 is the history's, whatever the favourites hold: it shows the browser.
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, static_cast<WPARAM>(-1), 0);
    ::SendMessageW(m_hwnd, WM_COMMAND, kIdHistoryBackFirst, 0);
    EXPECT_EQ(TheCurrentSelection().right_tab, 0);
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, static_cast<WPARAM>(-1), 0);
    ::SendMessageW(m_hwnd, WM_COMMAND, kIdFavouriteLast, 0);  // no such favourite: nothing happens
    EXPECT_EQ(TheCurrentSelection().right_tab, 1);
}

TEST_F(CommandBarTest, FavouritesStopAtTheLastIdOfTheirRange) {
    const std::wstring favourites = m_collection.InRoot(L"Many");
    MakeFolders(favourites + L"\\Sub");
    for (int i = 0; i < 4; ++i) WriteBytes(favourites + L"\\" + std::to_wstring(i) + L".url", std::string());
    for (int i = 0; i < 3; ++i) WriteBytes(favourites + L"\\Sub\\" + std::to_wstring(i) + L".url", std::string());
    // A menu that starts five ids before the end of the range.
    std::vector<std::wstring> paths;
    LikeMenu_CL menu(paths, false, false, kIdFavouriteLast - 4);
    ASSERT_NE(menu.Build(favourites), nullptr);
    EXPECT_EQ(paths.size(), 5u);
    EXPECT_EQ(menu.NextId(), kIdFavouriteLast + 1) << "every entry has a path, so five ids were taken";
}

} // namespace
} // namespace lum::test
