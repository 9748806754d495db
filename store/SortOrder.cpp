#include "store/SortOrder.h"

#include "store/SaverCatalog.h"

#include <algorithm>
#include <utility>

namespace lum {

int FindCategoryIn(const std::vector<std::wstring>& categories, const std::wstring& name) {
    for (size_t i = 0; i < categories.size(); ++i)
        if (categories[i] == name) return static_cast<int>(i);
    return -1;
}

GroupPlan AssignGroups(const std::vector<std::wstring>& categories, const std::vector<SaverItem>& items) {
    GroupPlan plan;
    plan.groups.reserve(categories.size());
    for (const auto& name : categories) plan.groups.push_back(CategoryGroup{name, {}});
    if (plan.groups.empty()) return plan;

    for (size_t i = 0; i < items.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        int c = FindCategoryIn(categories, items[i].category);
        // A list without an "unsorted" element cannot take strangers into
        // group 1; they are still listed under "all".
        if (c == -1) c = plan.groups.size() > 1 ? 1 : 0;
        if (c == 0) {
            plan.all_category_items.push_back(index);
            plan.groups[0].items.push_back(index);
            continue;
        }
        plan.groups[static_cast<size_t>(c)].items.push_back(index);
        plan.groups[0].items.push_back(index);
    }
    return plan;
}

std::vector<int32_t> OrderBySortId(const std::vector<int32_t>& indices, const std::vector<SaverItem>& items) {
    std::vector<std::pair<int32_t, int32_t>> pairs;  // (sort_id, index)
    pairs.reserve(indices.size());
    for (const int32_t index : indices) pairs.emplace_back(items[static_cast<size_t>(index)].sort_id, index);
    // Stable, so that ties keep their discovery order whatever the group's size.
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int32_t> ordered;
    ordered.reserve(pairs.size());
    for (const auto& pair : pairs) ordered.push_back(pair.second);
    return ordered;
}

std::vector<int32_t> NormalizeGroups(std::vector<CategoryGroup>& groups, std::vector<SaverItem>& items) {
    std::vector<int32_t> changed;
    for (size_t g = 1; g < groups.size(); ++g) {
        auto& list = groups[g].items;
        if (list.empty()) continue;
        list = OrderBySortId(list, items);
        for (size_t p = 0; p < list.size(); ++p) {
            SaverItem& item = items[static_cast<size_t>(list[p])];
            const auto position = static_cast<int32_t>(p);
            if (item.sort_id != position) {
                item.sort_id = position;
                changed.push_back(list[p]);
            }
        }
    }
    return changed;
}

std::vector<int32_t> AllEntriesOrder(const std::vector<int32_t>& allCategoryItems,
                                     const std::vector<CategoryGroup>& groups) {
    std::vector<int32_t> order = allCategoryItems;
    for (size_t g = 1; g < groups.size(); ++g)
        order.insert(order.end(), groups[g].items.begin(), groups[g].items.end());
    return order;
}

int FindCategory(const SaverCatalog& catalog, const std::wstring& name) {
    return FindCategoryIn(catalog.categories, name);
}

void NormalizeSortIds(SaverCatalog& catalog) {
    for (const int32_t index : NormalizeGroups(catalog.groups, catalog.items))
        SaveSortId(catalog.items[static_cast<size_t>(index)]);
}

void BuildGroups(SaverCatalog& catalog) {
    GroupPlan plan = AssignGroups(catalog.categories, catalog.items);
    catalog.groups = std::move(plan.groups);
    NormalizeSortIds(catalog);
    if (!catalog.groups.empty())
        catalog.groups[0].items = AllEntriesOrder(plan.all_category_items, catalog.groups);
}

void RenumberCategory(SaverCatalog& catalog, const std::vector<int32_t>& items) {
    for (size_t p = 0; p < items.size(); ++p) {
        const int32_t index = items[p];
        if (index < 0 || static_cast<size_t>(index) >= catalog.items.size()) continue;
        SaverItem& item = catalog.items[static_cast<size_t>(index)];
        if (item.sort_id == static_cast<int32_t>(p)) continue;
        item.sort_id = static_cast<int32_t>(p);
        SaveSortId(item);
    }
}

} // namespace lum
