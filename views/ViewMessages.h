#pragma once
// Message numbers the panes post to the main window, and the child ids the
// main window and the panes share.
#include <windows.h>

namespace lum {

constexpr UINT kMsgSelectionChanged = 1124;   // wParam: selected row, or -1
constexpr UINT kMsgShowBrowserTab = 1133;
constexpr UINT kMsgPreviewContextMenu = 1134; // wParam/lParam of WM_CONTEXTMENU
constexpr UINT kMsgListContextMenu = 1135;    // lParam: screen point (x low, y high)

constexpr int kIdCategoryTabs = 200;
constexpr int kIdSaverList = 300;
constexpr int kIdRightPane = 400;
constexpr int kIdBrowserHost = 500;
constexpr int kIdPreviewView = 604;

} // namespace lum
