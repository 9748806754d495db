#pragma once
// Draws one row of the saver list: the thumbnail unscaled, a white box with
// the title in a blend of blue and magenta and the note in blue; the
// selected row gets a light blue box and a highlight frame so that the user
// sees which saver is being previewed.
#include "base/SaverItem.h"
#include "toolkit/GdiPlusOwners.h"
#include "views/ThumbnailCache.h"

#include <windows.h>

namespace lum {

constexpr Gdiplus::ARGB kRowTextBoxColour = 0xFFFFFFFF;
constexpr Gdiplus::ARGB kRowSelectedBoxColour = 0xFFDCEBFC;
constexpr Gdiplus::ARGB kRowNoteColour = 0x800000FF;
constexpr Gdiplus::ARGB kRowTitleColour = 0x80FF00C8;
constexpr int kRowFrameWidth = 2;

// The list's row font: "MS UI Gothic" 10 pt, or the generic sans-serif family.
FallbackFont MakeRowFont();

// Paints the row into `hdc` within `item` and nothing outside it. A missing
// or broken thumbnail leaves its place blank; the text is drawn anyway.
// The thumbnail comes from `thumbnails`, decoded once per entry.
void DrawSaverRow(HDC hdc, const RECT& item, const SaverItem& entry, bool selected, const FallbackFont& font,
                  ThumbnailCache& thumbnails);

// Paints a row of the list that has no entry behind it (the empty row shown
// while a drag is under way).
void DrawEmptyRow(HDC hdc, const RECT& item);

} // namespace lum
