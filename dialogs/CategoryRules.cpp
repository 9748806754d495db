#include "dialogs/CategoryRules.h"

#include <algorithm>

namespace lum {

int ExactCategoryIndex(const std::vector<std::wstring>& offered, const std::wstring& category) {
    const auto found = std::find(offered.begin(), offered.end(), category);
    return found == offered.end() ? -1 : static_cast<int>(found - offered.begin());
}

CategoryChoice OfferCategories(const std::vector<std::wstring>& categories, const std::wstring& category) {
    CategoryChoice choice;
    if (categories.size() > 1) choice.items.assign(categories.begin() + 1, categories.end());
    choice.selected = ExactCategoryIndex(choice.items, category);
    if (choice.selected < 0) {
        choice.items.insert(choice.items.begin(), category);
        choice.selected = 0;
    }
    return choice;
}

bool CanAddCategory(int count) { return count < kMaxCategoryCount; }

bool IsMovableCategory(int position) { return position >= kFirstMovableCategory; }

int DropPosition(int from, int onto) {
    if (!IsMovableCategory(from) || !IsMovableCategory(onto) || onto == from) return -1;
    return onto;
}

int InsertMarkItem(int from, int over, int count) {
    const int blank = count - 1;
    if (over < 0) return -1;
    over = std::min(over, blank);
    if (!IsMovableCategory(over) || over == blank) return -1;
    return over >= from ? over + 1 : over;
}

std::vector<std::wstring> MergeDuplicateCategories(const std::vector<std::wstring>& list, bool& merged) {
    merged = false;
    std::vector<std::wstring> kept;
    kept.reserve(list.size());
    for (const auto& name : list) {
        if (ExactCategoryIndex(kept, name) >= 0) {
            merged = true;
            continue;
        }
        kept.push_back(name);
    }
    return kept;
}

} // namespace lum
