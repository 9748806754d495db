#pragma once
// The category list: section "CATEGORY_ITEM" of the settings file.
#include <string>
#include <vector>

namespace lum {

struct SaverCatalog;

constexpr const wchar_t* kCategorySection = L"CATEGORY_ITEM";
// The list never holds more elements than this.
constexpr int kMaxCategories = 100;

// The fourteen categories of a first start; element 0 stands for all
// entries, element 1 takes entries of unknown categories.
const std::vector<std::wstring>& DefaultCategories();

// The list as read from a stored count and its elements: no count (or a
// negative one) gives the default list; a list of fewer than two elements is
// completed with the default's first two, because the rest of the program
// relies on "all" and "unsorted" being there.
std::vector<std::wstring> CategoriesFromStored(int storedCount, std::vector<std::wstring> stored);

// Fills catalog.categories from its settings file, or with the default list.
// Nothing is written: the default reaches the file with the first save.
void LoadCategories(SaverCatalog& catalog);
void SaveCategories(const SaverCatalog& catalog);

} // namespace lum
