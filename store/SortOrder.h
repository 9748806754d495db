#pragma once
// Grouping and ordering of the entries, kept free of files so that the rules
// can be checked on plain records.
#include "base/SaverItem.h"

#include <string>
#include <vector>

namespace lum {

// Index of the first name equal to `name` in every UTF-16 code unit, or -1.
int FindCategoryIn(const std::vector<std::wstring>& categories, const std::wstring& name);

// The groups before ordering: one per category with the indices of its items
// in discovery order. Items of an unknown category count as element 1's.
// Every item not of element 0's own category is also listed in group 0.
struct GroupPlan {
    std::vector<CategoryGroup> groups;
    std::vector<int32_t> all_category_items;  // items whose category is element 0
};
GroupPlan AssignGroups(const std::vector<std::wstring>& categories, const std::vector<SaverItem>& items);

// The indices ordered by their items' sort_id (signed, ascending); equal
// positions keep their order in `indices`.
std::vector<int32_t> OrderBySortId(const std::vector<int32_t>& indices, const std::vector<SaverItem>& items);

// Orders groups 1 and up and gives every item its position there as sort_id.
// Returns the items whose sort_id changed, in the order they were changed;
// those are the only ones that need writing.
std::vector<int32_t> NormalizeGroups(std::vector<CategoryGroup>& groups, std::vector<SaverItem>& items);

// Group 0 as shown: items of element 0's own category first, then the
// ordered groups 1, 2, ... in category order.
std::vector<int32_t> AllEntriesOrder(const std::vector<int32_t>& allCategoryItems,
                                     const std::vector<CategoryGroup>& groups);

} // namespace lum
