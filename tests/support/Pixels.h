#pragma once
// Pixels of real drawing: what a window paints, what the screen shows, or
// what a drawing function leaves on a plain background.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace lum::test {

// 32-bit pixels (0x00RRGGBB), row 0 at the top.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> data;
    uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

// The window's client area as it paints it into a memory DC (WM_PRINTCLIENT).
Pixels PrintClient(HWND hwnd);
// What the screen shows of the window's client area now.
Pixels CaptureClientFromScreen(HWND hwnd);
// What `draw` leaves in a width x height bitmap filled with `background`.
Pixels DrawnPixels(int width, int height, uint32_t background, const std::function<void(HDC)>& draw);

uint32_t Rgb(COLORREF colour);  // COLORREF to 0x00RRGGBB
bool Near(uint32_t a, uint32_t b, int tolerance = 8);
// Does the rectangle hold a pixel whose colour is far from `background`?
bool HasInk(const Pixels& pixels, const RECT& area, uint32_t background);

} // namespace lum::test
