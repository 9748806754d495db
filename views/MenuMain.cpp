#include "views/MenuMain.h"

#include "base/AppSettings.h"
#include "base/FileSystem.h"
#include "base/Messages.h"
#include "base/ModulePath.h"
#include "store/AddressHistory.h"
#include "store/SaverCatalog.h"
#include "views/BrowserRules.h"
#include "views/BrowserWindow.h"
#include "views/LikeMenu.h"

#include <shlobj.h>

namespace lum {

namespace {

// WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_TOOLTIPS |
// RBS_VARHEIGHT | RBS_BANDBORDERS | RBS_DBLCLKTOGGLE
constexpr DWORD kRebarStyle = 0x56008700;
constexpr int kImageWidth = 24;
constexpr int kGoIconResource = 105;
constexpr int kAddressHostWidth = 200;
constexpr int kAddressHostHeight = 20;
constexpr int kGoButtonSize = 20;
constexpr int kAddressTextLimit = 4096;

struct ButtonDef {
    int command;
    int image;
    const wchar_t* toolTip;
};

constexpr ButtonDef kSaverButtons[] = {
    {kCmdRunFullScreen, 10, L"現在のスクリーンセーバーを起動します。"},
    {kCmdEditInformation, 9, L"スクリーンセーバーの情報を編集します。"},
    {kCmdSetSystemSaver, 12, L"現在のスクリーンセーバーをＰＣのスクリーンセーバーに設定します。"},
    {kCmdHomePage, 7, L"ブラウザでスクリーンセーバーを探します"},
    {kCmdFindNewSavers, 8, L"インストールされたスクリーンセーバーを探してコレクションに加えます。"},
    {kCmdAppSettings, 9, L"アプリケーションの設定を変更します。"},
    {kCmdVersion, 14, L"アプリケーションのバージョンを表示します。"},
};

constexpr ButtonDef kBrowserButtons[] = {
    {kCmdBrowserBack, 0, L"戻る"},
    {kCmdBrowserForward, 1, L"進む"},
    {kCmdBrowserStop, 2, L"中断"},
    {kCmdBrowserReload, 3, L"リロード"},
    {kCmdHomePage, 4, L"ホーム"},
    {kCmdFavouritesMenu, 5, L"お気に入り"},
    {kCmdInternetOptions, 6, L"インターネットのプロパティを開きます。"},
};

// The three saver buttons that need an existing saver file.
constexpr int kItemButtons[] = {kCmdRunFullScreen, kCmdEditInformation, kCmdSetSystemSaver};

template <size_t N>
void InsertButtons(ToolBar_CL& bar, const ButtonDef (&buttons)[N]) {
    for (size_t i = 0; i < N; ++i)
        bar.InsertButton(static_cast<int>(i), buttons[i].image, buttons[i].command, buttons[i].toolTip);
}

std::wstring WindowText(HWND window, int limit) {
    std::wstring text(static_cast<size_t>(limit), L'\0');
    const int length = ::GetWindowTextW(window, &text[0], limit);
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

// A large Favorites folder takes a while to walk: the cursor says so.
class WaitCursor {
public:
    WaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

} // namespace

MenuMain_CL::MenuMain_CL() = default;
MenuMain_CL::~MenuMain_CL() = default;

HWND MenuMain_CL::BuildCommandBar(HWND owner, CurrentSelection* selection) {
    m_hOwnerWnd = owner;
    m_pSelection = selection;
    m_pDropDownFactory = this;
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    if (!CreateRebar(WS_EX_TOOLWINDOW, kRebarStyle, owner, instance, nullptr)) return nullptr;
    const std::wstring imageFile = QueryModulePath().folder + L"\\menu_image.bmp";

    m_SaverBar.CreateToolbar(m_hWnd);
    m_SaverBar.SetImageList(m_SaverImages.LoadImageStrip(imageFile, kImageWidth));
    InsertButtons(m_SaverBar, kSaverButtons);
    SetSaverButtonsEnabled(false);

    m_BrowserBar.CreateToolbar(m_hWnd);
    m_BrowserBar.SetImageList(m_BrowserImages.LoadImageStrip(imageFile, kImageWidth));
    m_BrowserBar.SetButtonStyle(0, BTNS_DROPDOWN);
    m_BrowserBar.SetButtonStyle(1, BTNS_DROPDOWN);
    InsertButtons(m_BrowserBar, kBrowserButtons);

    BuildAddressBar();

    AttachToolbar(0, m_BrowserBar.Window());
    AttachToolbar(1, m_SaverBar.Window());
    if (RebarBand_CL* band = Band(2)) {
        RECT host{};
        ::GetWindowRect(m_pAddressHost->m_hWnd, &host);
        band->m_Info.fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE;
        band->m_Info.hwndChild = m_pAddressHost->m_hWnd;
        band->m_Info.cx = band->m_Info.cxMinChild = band->m_Info.cxIdeal = static_cast<UINT>(host.right - host.left);
        band->m_Info.cyMinChild = static_cast<UINT>(host.bottom - host.top);
        band->m_Info.fStyle |= RBBS_BREAK;
    }
    InsertBand(0, L"ブラウザ");
    InsertBand(1, L"スクリーンセーバー");
    InsertBand(2, L"アドレスバー");
    UpdateHistoryButtons();
    return m_hWnd;
}

void MenuMain_CL::BuildAddressBar() {
    m_pAddressCombo = m_AddressControls.ControlAs<ComboBox_CL>(m_AddressControls.AddComboBox(m_hWnd, 32));
    HWND combo = m_pAddressCombo->m_hWnd;
    if (m_pSelection && m_pSelection->catalog) FillAddressBox(*m_pSelection->catalog, combo);
    m_EditHook.Install(::GetWindow(combo, GW_CHILD), &AddressEnterHook, this);
    m_pAddressCombo->m_nId = kIdAddressBar;
    ::SetWindowLongPtrW(combo, GWLP_ID, kIdAddressBar);

    m_pAddressHost = m_AddressControls.ControlAs<StaticText_CL>(m_AddressControls.AddStaticText(L"", 0, 0, m_hWnd));
    ResizeControl(*m_pAddressHost, kAddressHostWidth, kAddressHostHeight);

    m_pGoButton = m_AddressControls.ControlAs<Button_CL>(m_AddressControls.AddButton(L"OK", m_hWnd));
    ResizeControl(*m_pGoButton, kGoButtonSize, kGoButtonSize);
    // Shared icons are the system's to free. Without the icon the text stays.
    auto icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kGoIconResource),
                                                IMAGE_ICON, 16, 16, LR_SHARED | LR_DEFAULTSIZE));
    LONG_PTR style = ::GetWindowLongPtrW(m_pGoButton->m_hWnd, GWL_STYLE) | BS_FLAT;
    if (icon) style |= BS_ICON;
    ::SetWindowLongPtrW(m_pGoButton->m_hWnd, GWL_STYLE, style);
    if (icon) ::SendMessageW(m_pGoButton->m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));

    ::SetParent(combo, m_pAddressHost->m_hWnd);
    ::SetParent(m_pGoButton->m_hWnd, m_pAddressHost->m_hWnd);
    m_pAddressHost->m_pLink = m_pAddressCombo;
    m_pAddressCombo->m_pLink = m_pGoButton;
    HookControl(*m_pAddressHost, &AddressHostHook);
    // Lay the two out in the host now; later the rebar's sizing does it.
    ::SendMessageW(m_pAddressHost->m_hWnd, WM_SIZE, 0, MAKELPARAM(kAddressHostWidth, kAddressHostHeight));
}

LRESULT MenuMain_CL::AddressHostHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const ControlBase_CL* host = ControlOfWindow(hwnd);
    const auto* combo = host ? static_cast<const ControlBase_CL*>(host->m_pLink) : nullptr;
    const auto* go = combo ? static_cast<const ControlBase_CL*>(combo->m_pLink) : nullptr;
    if (!go) return 0;
    if (message == WM_SIZE) {
        const int width = LOWORD(lParam);
        ResizeControl(*combo, width - 22, 300);
        MoveControlTo(*go, width - kGoButtonSize, 0);
    } else if (message == WM_COMMAND && LOWORD(wParam) == go->m_nId) {
        if (::GetWindowTextLengthW(combo->m_hWnd) > 0)
            ::PostMessageW(::GetWindow(combo->m_hWnd, GW_CHILD), WM_CHAR, VK_RETURN, 0);
    } else if (message == WM_COMMAND && LOWORD(wParam) == kIdAddressBar) {
        // The combo box lives in the host; its choices belong to the main window.
        HWND rebar = ::GetParent(hwnd);
        if (HWND owner = rebar ? ::GetParent(rebar) : nullptr) ::SendMessageW(owner, WM_COMMAND, wParam, lParam);
    }
    return 0;
}

LRESULT MenuMain_CL::AddressEnterHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_CHAR || wParam != VK_RETURN) return 0;
    SubClass_CL* hook = HookOfWindow(hwnd);
    if (!hook || !hook->m_pOwner) return 0;
    static_cast<MenuMain_CL*>(hook->m_pOwner)->EnterAddress();
    hook->m_bHandled = TRUE;  // an edit field only beeps at Enter
    return 0;
}

void MenuMain_CL::EnterAddress() {
    HWND combo = AddressCombo();
    if (!combo) return;
    const std::wstring address = WindowText(combo, kAddressTextLimit);
    if (address.empty()) return;
    if (m_pSelection && m_pSelection->catalog) AddAddress(*m_pSelection->catalog, combo, address);
    if (m_pBrowser) m_pBrowser->Navigate(address);
    ::PostMessageW(m_hOwnerWnd, kMsgShowBrowserTab, 0, 0);
}

HWND MenuMain_CL::AddressCombo() const { return m_pAddressCombo ? m_pAddressCombo->m_hWnd : nullptr; }

void MenuMain_CL::SetAddressText(const std::wstring& url) {
    if (HWND combo = AddressCombo()) ::SetWindowTextW(combo, url.c_str());
}

void MenuMain_CL::SetSaverButtonsEnabled(bool enabled) {
    m_nSaverButtonState = enabled ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE;
    for (int command : kItemButtons) m_SaverBar.SetButtonState(command, static_cast<BYTE>(m_nSaverButtonState));
}

void MenuMain_CL::UpdateHistoryButtons() {
    const bool back = m_pBrowser && !m_pBrowser->BackEntries().empty();
    const bool forward = m_pBrowser && !m_pBrowser->ForwardEntries().empty();
    m_BrowserBar.SetButtonState(kCmdBrowserBack, back ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE);
    m_BrowserBar.SetButtonState(kCmdBrowserForward, forward ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE);
}

std::wstring MenuMain_CL::FavouritePath(UINT id) const {
    const int entry = FavouriteEntryOfId(id, m_FavoritePaths.size());
    return entry < 0 ? std::wstring() : m_FavoritePaths[static_cast<size_t>(entry)];
}

std::wstring MenuMain_CL::FavouritesFolder() const {
    if (!m_favouritesFolder.empty()) return m_favouritesFolder;
    LPITEMIDLIST list = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(m_hWnd, CSIDL_FAVORITES, &list)) || !list) return L"";
    wchar_t path[MAX_PATH] = {};
    const BOOL found = ::SHGetPathFromIDListW(list, path);
    ::CoTaskMemFree(list);
    std::wstring folder = found ? path : L"";
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

std::unique_ptr<LikeMenu_CL> MenuMain_CL::BuildFavouritesMenu() {
    const std::wstring folder = FavouritesFolder();
    if (folder.empty()) return nullptr;
    const bool large = m_pSelection && m_pSelection->catalog &&
                       AppSettings(m_pSelection->catalog->settings_path).FavoritesIconSize();
    auto menu = std::make_unique<LikeMenu_CL>(m_FavoritePaths, m_pSelection && m_pSelection->page_shown, large);
    menu->Build(folder);
    return menu;
}

void MenuMain_CL::BuildContextMenu(PopupMenu_CL& menu) const {
    menu.CreatePopup();
    menu.m_hImageList = m_BrowserImages.Handle();
    for (const ContextMenuItem& item : ContextMenuItems()) {
        MenuEntry_CL* entry = menu.GetEntry(menu.EntryCount());
        entry->m_Info.wID = item.command;
        entry->m_nImage = item.image;
        menu.AppendItem(*entry, item.text);
    }
    const SaverItem current = m_pSelection ? m_pSelection->current_item : NoSelectionItem();
    const auto states = ContextMenuStates(current, IsExistingFile(current.scr));
    for (size_t i = 0; i < states.size(); ++i) menu.SetItemState(static_cast<int>(i), states[i]);
}

void MenuMain_CL::Track(const PopupMenu_CL& menu, int x, int y, HWND owner) const {
    if (menu.Handle()) ::TrackPopupMenu(menu.Handle(), TPM_VERTICAL, x, y, 0, owner, nullptr);
}

void MenuMain_CL::ShowDropDownMenu(int command, UINT, int x, int y, HWND owner) {
    switch (command) {
    case kCmdBrowserBack:
    case kCmdBrowserForward: {
        PopupMenu_CL menu;
        menu.CreatePopup();
        menu.m_hImageList = m_BrowserImages.Handle();
        if (m_pBrowser) m_pBrowser->BuildHistoryMenu(menu, command == kCmdBrowserForward);
        Track(menu, x, y, owner);
        break;
    }
    case kCmdFavouritesMenu: {
        std::unique_ptr<LikeMenu_CL> favourites;
        {
            WaitCursor waiting;
            favourites = BuildFavouritesMenu();
        }
        if (favourites && favourites->RootMenu()) Track(*favourites->RootMenu(), x, y, owner);
        break;
    }
    case kMsgPreviewContextMenu:
    case kMsgListContextMenu: {
        PopupMenu_CL menu;
        BuildContextMenu(menu);
        Track(menu, x, y, owner);
        break;
    }
    default:
        break;
    }
}

} // namespace lum
