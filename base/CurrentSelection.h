#pragma once
#include "base/SaverItem.h"

#include <cstdint>

namespace lum {

struct SaverCatalog;

// The record of "nothing selected": the later commands recognise it by its
// mark and its position past every real entry.
constexpr uint32_t kNoSelectionMark = 0xFFFFFFFFu;
SaverItem NoSelectionItem();

// What the user has selected, shared by the main view, the panes and the
// dialogs. One record for the whole process. The category is a slot number
// into the catalogue's groups, never a pointer: every regrouping replaces
// the groups.
struct CurrentSelection {
    int right_tab = 0;            // 0 browser, 1 preview
    int category_slot = 0;        // index into the catalogue's groups
    int item_row = -1;            // row in that category's list; -1 nothing
    bool page_shown = false;      // the browser has completed a navigation
    SaverItem current_item = NoSelectionItem();   // copy of the selected entry
    SaverItem previewed_item = NoSelectionItem(); // copy of what the preview last showed
    SaverCatalog* catalog = nullptr;

    // "A current item exists": the selected entry names a saver program.
    bool HasCurrentItem() const { return !current_item.scr.empty(); }
    // Forgets the selected entry (not the tab or the category slot).
    void ClearItem() {
        item_row = -1;
        current_item = NoSelectionItem();
    }
};

CurrentSelection& TheCurrentSelection();

} // namespace lum
