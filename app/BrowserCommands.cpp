#include "app/MainView.h"

#include "base/Messages.h"
#include "base/SystemFolder.h"
#include "views/BrowserRules.h"
#include "views/ForumFilling.h"
#include "views/HtmlDocument.h"

#include <shellapi.h>

namespace lum {

// The choice only fills the box; Enter or the go button navigates.
void MainView_CL::OnAddressBarChosen(HWND) {}

void MainView_CL::OnFavourite(int entry) {
    const std::wstring path = m_commandBar.FavouritePath(kIdFavouriteFirst + static_cast<UINT>(entry));
    if (path.empty()) return;  // an id the last favourites menu did not hand out
    const std::wstring url = ReadShortcutUrl(path);
    ShowRightTab(0);
    if (!url.empty()) m_browserPane.Navigate(url);
}

void MainView_CL::OnHistory(int offset) {
    ShowRightTab(0);
    m_browserPane.TravelTo(offset);
}

void MainView_CL::OnFavouritesMenu(HWND toolbar) {
    // From the chevron menu the command comes without its toolbar.
    if (!toolbar) toolbar = m_commandBar.BrowserBar().Window();
    RECT rect{};
    ::SendMessageW(toolbar, TB_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&rect));
    POINT at{rect.left, rect.bottom};
    ::ClientToScreen(toolbar, &at);
    m_commandBar.ShowDropDownMenu(kCmdFavouritesMenu, kDropDownFlags, at.x, at.y, m_hWnd);
}

void MainView_CL::OnBrowserCommand(UINT id) {
    if (id == kCmdInternetOptions) {
        const std::wstring rundll = SystemFolderPath(L"rundll32.exe");
        if (!rundll.empty())
            ::ShellExecuteW(m_hWnd, L"open", rundll.c_str(), L"shell32.dll,Control_RunDLL inetcpl.cpl", nullptr,
                            SW_SHOWDEFAULT);
        return;
    }
    ShowRightTab(0);
    switch (id) {
    case kCmdOpenDownloadPage:
        // The download address came from the network: web pages only.
        if (IsWebAddress(m_pSelection->current_item.web)) m_browserPane.Navigate(m_pSelection->current_item.web);
        break;
    case kCmdBrowserBack:
        m_browserPane.GoBack();
        break;
    case kCmdBrowserForward:
        m_browserPane.GoForward();
        break;
    case kCmdBrowserStop:
        m_browserPane.Stop();
        break;
    case kCmdBrowserReload:
        m_browserPane.Refresh();
        break;
    case kCmdHomePage:
        m_browserPane.Navigate(kHomePageUrl);
        break;
    default:
        break;
    }
}

POINT MainView_CL::SelectedRowOnScreen() const {
    HWND list = m_listPane.ListBox();
    POINT at{0, 0};
    const LRESULT row = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    RECT rect{};
    if (row >= 0 && ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) !=
                        LB_ERR)
        at = POINT{rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
    ::ClientToScreen(list, &at);
    return at;
}

void MainView_CL::OnContextMenu(LPARAM lParam) {
    const POINT at = ContextMenuPoint(lParam, SelectedRowOnScreen());
    m_commandBar.ShowDropDownMenu(kMsgListContextMenu, kDropDownFlags, at.x, at.y, m_hWnd);
}

void MainView_CL::OnAddFavourite() { m_browserPane.AddToFavorites(); }

void MainView_CL::OnOrganiseFavourites() { BrowserWindow_CL::OrganizeFavorites(m_hWnd); }

void MainView_CL::OnTitleChange(const std::wstring& title) {
    ::SetWindowTextW(m_hWnd, BrowserCaption(title).c_str());
    m_commandBar.UpdateHistoryButtons();
}

void MainView_CL::OnTopNavigateComplete(const std::wstring& url) {
    m_commandBar.SetAddressText(url);
    m_pSelection->page_shown = true;
}

void MainView_CL::OnTopDocumentComplete(const std::wstring& url) {
    if (url != kForumPageUrl) return;
    std::unique_ptr<HtmlDocument_CL> page = m_browserPane.CurrentDocument();
    if (!page) return;
    // The picture upload's file dialog starts from the current folder.
    ::SetCurrentDirectoryW(L"C:\\");
    FillForumForm(*page, m_pSelection->current_item, m_hWnd);
}

} // namespace lum
