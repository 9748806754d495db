#include "app/CommandRoute.h"

#include "base/Messages.h"

namespace lum {

RoutedCommand RouteCommand(UINT id, UINT notifyCode) {
    if (id == static_cast<UINT>(kIdAddressBar))
        return {notifyCode == CBN_SELENDOK ? CommandRoute::AddressBar : CommandRoute::None, 0};
    if (id >= kIdFavouriteFirst && id <= kIdFavouriteLast)
        return {CommandRoute::Favourite, static_cast<int>(id - kIdFavouriteFirst)};
    if (id >= kIdHistoryBackFirst && id <= kIdHistoryBackLast)
        return {CommandRoute::HistoryBack, static_cast<int>(kIdHistoryBackFirst) - 1 - static_cast<int>(id)};
    if (id >= kIdHistoryForwardFirst && id <= kIdHistoryForwardLast)
        return {CommandRoute::HistoryForward, static_cast<int>(id) - static_cast<int>(kIdHistoryForwardFirst) + 1};
    if (id < kCmdFirstFixed || id > kCmdLastFixed) return {};
    switch (id) {
    case kCmdFavouritesMenu:
    case kCmdSetSystemSaver:
    case kCmdAddFavourite:
    case kCmdOrganiseFavourites:
        return {CommandRoute::Direct, 0};
    default:
        // 1133-1141 are messages or timers, never commands.
        if (id >= kMsgShowBrowserTab && id <= 1141) return {};
        return {CommandRoute::Repost, 0};
    }
}

} // namespace lum
