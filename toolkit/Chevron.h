#pragma once
// Which buttons of a band the chevron menu has to offer.
#include <windows.h>

#include <vector>

namespace lum {

// Buttons in toolbar order, in screen coordinates. The first button that
// is not wholly inside the visible rectangle is hidden, and so is every
// button after it. Returns how many are hidden.
int CountHiddenButtons(const RECT& visible, const std::vector<RECT>& buttons);

// The menu state of a chevron item for a toolbar button state.
UINT ChevronItemState(BYTE buttonState);

} // namespace lum
