#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace lum {

// One collection entry: a value record copied freely between the catalogue,
// the current selection and the dialogs.
struct SaverItem {
    uint32_t mark = 0;              // all bits set only in the "no selection" record
    int32_t sort_id = 999999;       // a new record sorts after every existing one
    int32_t large_image = 0;        // 1: show imageL.png instead of the live preview
    int32_t use_original_saver = 0; // 1: always run scr, even with a copy in the folder
    std::wstring folder;            // entry folder, no trailing backslash
    std::wstring category;
    std::wstring title;
    std::wstring note;
    std::wstring web;
    std::wstring image;             // folder + "\image.png"
    std::wstring scr;               // full path of the saver program
};

// One category as the lists show it.
struct CategoryGroup {
    std::wstring name;
    std::vector<int32_t> items;     // indices into SaverCatalog::items, display order
};

} // namespace lum
