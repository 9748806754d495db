#include "toolkit/Chevron.h"

#include <commctrl.h>

namespace lum {

namespace {
bool Inside(const RECT& outer, const RECT& inner) {
    RECT common{};
    ::IntersectRect(&common, &outer, &inner);
    return ::EqualRect(&common, &inner) != FALSE;
}
} // namespace

int CountHiddenButtons(const RECT& visible, const std::vector<RECT>& buttons) {
    const int count = static_cast<int>(buttons.size());
    for (int i = 0; i < count; ++i) {
        if (!Inside(visible, buttons[i])) return count - i;
    }
    return 0;
}

UINT ChevronItemState(BYTE buttonState) {
    UINT state = 0;
    if (buttonState & TBSTATE_INDETERMINATE) state |= MFS_GRAYED;
    if (buttonState & 0x80) state |= MFS_CHECKED;  // TBSTATE_MARKED
    return state;
}

} // namespace lum
