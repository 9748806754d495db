#pragma once
#include <windows.h>

namespace lum {

// Lays a window out again at its current size: WM_SIZE with its client
// size (as maximised when it is), a full repaint, then an update.
void RelayoutWindow(HWND hwnd);

} // namespace lum
