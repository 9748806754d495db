#pragma once
#include <windows.h>

namespace lum {

// Where a WM_COMMAND id goes in the main window.
enum class CommandRoute {
    None,            // not ours, or nothing to do
    AddressBar,      // 700 with CBN_SELENDOK
    Favourite,       // argument: entry number
    HistoryBack,     // argument: travel offset, -1 .. -101
    HistoryForward,  // argument: travel offset, 1 .. 101
    Direct,          // handled at once: 1131, 1151, 1152, 1153
    Repost,          // posted back as a message of the same number
};

struct RoutedCommand {
    CommandRoute route = CommandRoute::None;
    int argument = 0;
};

RoutedCommand RouteCommand(UINT id, UINT notifyCode);

} // namespace lum
