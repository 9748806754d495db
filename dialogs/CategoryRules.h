#pragma once
// The rules of the category dialogs, apart from their windows: which combo
// item names an entry's category, which list positions are fixed, where a
// dragged category lands, and how duplicate names are merged.
#include <string>
#include <vector>

namespace lum {

// Positions 0 ("all") and 1 ("unsorted") of the category list are fixed:
// never deleted, renamed, dragged or dropped above.
constexpr int kFirstMovableCategory = 2;
constexpr int kMaxCategoryCount = 100;

// Index into `offered` whose text equals `category` code unit for code
// unit; -1 when none does. A prefix or another letter case is no match:
// either would quietly move the entry into another category.
int ExactCategoryIndex(const std::vector<std::wstring>& offered, const std::wstring& category);

// What the information dialog's combo offers: every category but the one
// for all entries, plus the entry's own category first when the list no
// longer holds it, so that it stays as it is unless the user picks another.
struct CategoryChoice {
    std::vector<std::wstring> items;
    int selected = 0;
};
CategoryChoice OfferCategories(const std::vector<std::wstring>& categories, const std::wstring& category);

bool CanAddCategory(int count);
bool IsMovableCategory(int position);

// Where a category dragged from `from` and dropped on `onto` ends up: after
// `onto` when moving down, before it when moving up. -1 when the drop
// changes nothing (a fixed position, no item, the item itself).
int DropPosition(int from, int onto);

// The insertion mark's item while dragging from `from` over `over` (the
// last list position is the blank helper item): -1 for no mark.
int InsertMarkItem(int from, int over, int count);

// The list with each later duplicate (same text exactly) dropped;
// `merged` tells whether any was.
std::vector<std::wstring> MergeDuplicateCategories(const std::vector<std::wstring>& list, bool& merged);

} // namespace lum
