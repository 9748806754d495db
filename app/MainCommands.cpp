#include "app/MainView.h"

#include "app/CommandRoute.h"
#include "base/Messages.h"

namespace lum {

LRESULT MainView_CL::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const RoutedCommand command = RouteCommand(id, HIWORD(wParam));
    HWND control = reinterpret_cast<HWND>(lParam);
    switch (command.route) {
    case CommandRoute::AddressBar:
        OnAddressBarChosen(control);
        break;
    case CommandRoute::Favourite:
        OnFavourite(command.argument);
        break;
    case CommandRoute::HistoryBack:
    case CommandRoute::HistoryForward:
        OnHistory(command.argument);
        break;
    case CommandRoute::Direct:
        if (id == kCmdFavouritesMenu) OnFavouritesMenu(control);
        else if (id == kCmdSetSystemSaver) OnSetSystemSaver();
        else if (id == kCmdAddFavourite) OnAddFavourite();
        else if (id == kCmdOrganiseFavourites) OnOrganiseFavourites();
        break;
    case CommandRoute::Repost: {
        // The work is done once the menu or button has finished its own
        // processing.
        const LRESULT selected = control ? ::SendMessageW(control, LB_GETCURSEL, 0, 0) : 0;
        ::PostMessageW(m_hWnd, id, static_cast<WPARAM>(selected), 0);
        break;
    }
    case CommandRoute::None:
        break;
    }
    return 0;
}

void MainView_CL::OnCommandMessage(UINT id, WPARAM, LPARAM lParam) {
    switch (id) {
    case kCmdOpenDownloadPage:
    case kCmdBrowserBack:
    case kCmdBrowserForward:
    case kCmdBrowserStop:
    case kCmdBrowserReload:
    case kCmdHomePage:
    case kCmdInternetOptions:
    case kMsgShowBrowserTab:
        OnBrowserCommand(id);
        break;
    case kMsgPreviewContextMenu:
    case kMsgListContextMenu:
        OnContextMenu(lParam);
        break;
    case kCmdSaverSettings:
        OnSaverSettings();
        break;
    case kCmdChangeThumbnail:
        OnChangeThumbnail();
        break;
    case kCmdEditInformation:
        OnEditInformation();
        break;
    case kCmdFindNewSavers:
        OnFindNewSavers();
        break;
    case kCmdAppSettings:
        OnAppSettings();
        break;
    case kCmdVersion:
        OnVersion();
        break;
    case kCmdDeleteEntry:
        OnDeleteEntry();
        break;
    case kCmdRunFullScreen:
        OnRunFullScreen();
        break;
    default:
        break;
    }
}

} // namespace lum
