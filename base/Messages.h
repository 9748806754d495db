#pragma once
// Numbers shared across the program: the main window's commands and
// messages, the id ranges of the favourites and history menus, and the
// child ids the main window and the panes share.
#include <windows.h>

namespace lum {

// Messages the panes post to the main window.
constexpr UINT kMsgSelectionChanged = 1124;   // wParam: selected row, or -1
constexpr UINT kMsgShowBrowserTab = 1133;
constexpr UINT kMsgPreviewContextMenu = 1134; // wParam/lParam of WM_CONTEXTMENU
constexpr UINT kMsgListContextMenu = 1135;    // lParam: screen point (x low, y high)

// Commands of the command bar, the context menu and the favourites menu.
// Most arrive as WM_COMMAND and are re-posted as a message of the same number.
constexpr UINT kCmdOpenDownloadPage = 1125;
constexpr UINT kCmdBrowserBack = 1126;
constexpr UINT kCmdBrowserForward = 1127;
constexpr UINT kCmdBrowserStop = 1128;
constexpr UINT kCmdBrowserReload = 1129;
constexpr UINT kCmdHomePage = 1130;
constexpr UINT kCmdFavouritesMenu = 1131;
constexpr UINT kCmdInternetOptions = 1132;
constexpr UINT kCmdSaverSettings = 1142;
constexpr UINT kCmdChangeThumbnail = 1143;
constexpr UINT kCmdEditInformation = 1145;
constexpr UINT kCmdFindNewSavers = 1146;
constexpr UINT kCmdAppSettings = 1147;
constexpr UINT kCmdVersion = 1148;
constexpr UINT kCmdDeleteEntry = 1149;
constexpr UINT kCmdRunFullScreen = 1150;
constexpr UINT kCmdSetSystemSaver = 1151;
constexpr UINT kCmdAddFavourite = 1152;
constexpr UINT kCmdOrganiseFavourites = 1153;

constexpr UINT kCmdFirstFixed = 1125;
constexpr UINT kCmdLastFixed = 1153;
constexpr UINT kIdFavouriteFirst = 1154;      // entry number = id - 1154
constexpr UINT kIdFavouriteLast = 3154;
constexpr UINT kIdHistoryBackFirst = 3155;    // one step back
constexpr UINT kIdHistoryBackLast = 3255;
constexpr UINT kIdHistoryForwardFirst = 3256; // one step forward
constexpr UINT kIdHistoryForwardLast = 3356;
constexpr int kIdAddressBar = 700;

// Child window ids.
constexpr int kIdCategoryTabs = 200;
constexpr int kIdSaverList = 300;
constexpr int kIdRightPane = 400;
constexpr int kIdBrowserHost = 500;
constexpr int kIdPreviewView = 604;

} // namespace lum
