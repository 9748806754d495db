#pragma once
#include "store/SaverCatalog.h"
#include "store/SaverItem.h"

#include <string>

namespace lum {

// What the user has selected, shared by the main view, the panes and the
// dialogs. One record for the whole process.
struct CurrentSelection {
    int right_tab = 0;            // 0 browser, 1 preview
    int category_slot = 0;        // index into the catalogue's categories
    int item_row = -1;            // row in that category's list; -1 nothing
    bool page_shown = false;      // the browser has completed a navigation
    const CategoryGroup* category = nullptr;  // the group of category_slot
    SaverItem current_item;       // copy of the selected entry
    SaverItem previewed_item;     // copy of what the preview last showed
    SaverCatalog* catalog = nullptr;

    // "A current item exists": the selected entry names a saver program.
    bool HasCurrentItem() const { return !current_item.scr.empty(); }
};

CurrentSelection& TheCurrentSelection();

} // namespace lum
