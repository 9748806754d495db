#pragma once
#include <windows.h>

namespace lum {

// Owner-drawn items of the program's popup menus: each item's data names
// its menu object, which knows the item's text, image and image list.
void MeasureMenuItem(HWND owner, MEASUREITEMSTRUCT& item);
void DrawMenuItem(const DRAWITEMSTRUCT& item);

} // namespace lum
