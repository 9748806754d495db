#include "views/SaverListPlan.h"

#include <cwchar>

namespace lum {

std::vector<CategoryTab> PlanCategoryTabs(const SaverCatalog& catalog) {
    std::vector<CategoryTab> tabs;
    for (size_t slot = 0; slot < catalog.groups.size(); ++slot) {
        const CategoryGroup& group = catalog.groups[slot];
        if (group.items.empty()) continue;
        CategoryTab tab;
        tab.slot = static_cast<int>(slot);
        if (tabs.empty()) {
            wchar_t text[64];
            std::swprintf(text, 64, L"全て(%d)", static_cast<int>(catalog.items.size()));
            tab.text = text;
        } else {
            tab.text = group.name;
        }
        tabs.push_back(std::move(tab));
    }
    if (tabs.empty()) tabs.push_back(CategoryTab{L"全て", 0});
    return tabs;
}

bool MoveDraggedEntry(std::vector<int32_t>& rows, int from, int to) {
    const int count = static_cast<int>(rows.size());
    if (from < 0 || from >= count || to < 0 || to >= count || from == to) return false;
    const int32_t moved = rows[static_cast<size_t>(from)];
    rows.erase(rows.begin() + from);
    rows.insert(rows.begin() + to, moved);
    return true;
}

int RowAfterMove(int selectedRow, int from, int to) {
    if (selectedRow < 0 || from == to) return selectedRow;
    if (selectedRow == from) return to;
    if (from < to && selectedRow > from && selectedRow <= to) return selectedRow - 1;
    if (to < from && selectedRow >= to && selectedRow < from) return selectedRow + 1;
    return selectedRow;
}

int InsertMarkRow(int target, int dragStart) {
    if (target == -1 || target < dragStart) return target;
    return target + 1;
}

BoxF RowTextBox(const RECT& item) {
    BoxF box;
    box.x = static_cast<float>(item.left + 132);
    box.y = static_cast<float>(item.top + 4);
    box.width = static_cast<float>(item.right - item.left - 128);
    box.height = static_cast<float>(item.bottom - item.top);
    return box;
}

BoxF RowTextLayout(const RECT& item) {
    BoxF box = RowTextBox(item);
    box.x += 2;
    box.y += 2;
    return box;
}

POINT RowThumbnailOrigin(const RECT& item) { return POINT{item.left + 4, item.top + 4}; }

std::wstring RowHeading(const std::wstring& title) { return L"< " + title + L" >"; }

// A line feed alone: GDI+ breaks the line on it everywhere, while some GDI+
// implementations draw the carriage return of CR LF as a missing glyph.
std::wstring RowText(const std::wstring& title, const std::wstring& note) {
    return RowHeading(title) + L"\n" + note;
}

} // namespace lum
