#pragma once
// The arithmetic of the saver list, kept apart from the windows so that it
// can be checked without any: which tabs the strip shows, how a dragged row
// moves, and where a row's parts go.
#include "store/SaverCatalog.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lum {

// Row height of the saver list, in pixels.
constexpr int kSaverRowHeight = 104;

struct CategoryTab {
    std::wstring text;
    int slot = 0;  // index into the catalogue's categories
};

// One tab per category that has entries, in catalogue order; the first one
// reads "全て(<number of entries>)". With no entries at all, one tab "全て"
// showing slot 0.
std::vector<CategoryTab> PlanCategoryTabs(const SaverCatalog& catalog);

// Moves the entry at row `from` so that it ends at row `to`. Refused (and
// the list left alone) when either row lies outside the list or they are
// the same row.
bool MoveDraggedEntry(std::vector<int32_t>& rows, int from, int to);

// Where a selected row is after MoveDraggedEntry(from, to): the selection
// follows the entry it was on. -1 stays -1.
int RowAfterMove(int selectedRow, int from, int to);

// The row before which the insert mark is drawn for a drag that started at
// `dragStart` and is over `target` (-1 erases the mark).
int InsertMarkRow(int target, int dragStart);

// A rectangle with floating point corners, as GDI+ takes it.
struct BoxF {
    float x = 0, y = 0, width = 0, height = 0;
};

// The white box behind a row's text: it starts right of the 128-pixel
// thumbnail column and is as high as the row.
BoxF RowTextBox(const RECT& item);
// The box the text is laid out in: the text box moved by 2, 2.
BoxF RowTextLayout(const RECT& item);
// Top left corner of the row's thumbnail.
POINT RowThumbnailOrigin(const RECT& item);

// "< title >" then, on the next line, the note.
std::wstring RowHeading(const std::wstring& title);
std::wstring RowText(const std::wstring& title, const std::wstring& note);

} // namespace lum
