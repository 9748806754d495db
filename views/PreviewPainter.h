#pragma once
// What the preview view paints by itself: the letterboxed still picture and
// the short notices shown instead of an empty grey box.
#include "views/PreviewPlan.h"

#include <windows.h>

#include <string>

namespace lum {

constexpr COLORREF kNoticeBackground = RGB(0xF2, 0xF4, 0xF7);
constexpr COLORREF kNoticeText = RGB(0x50, 0x58, 0x64);

// Draws `picturePath` scaled to the width of `client` and centred, with
// white bands above and below. False (nothing drawn) when the picture
// cannot be loaded.
bool PaintStillPicture(HDC hdc, const RECT& client, const std::wstring& picturePath);

// A calm background with `message` centred and, when given, `detail` (a
// path) on the lines below it, in `font` (the pane's font when null).
void PaintNotice(HDC hdc, const RECT& client, const std::wstring& message, const std::wstring& detail, HFONT font);

} // namespace lum
