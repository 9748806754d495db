#include "store/CategoryList.h"

#include "store/CountedList.h"
#include "store/SaverCatalog.h"

namespace lum {

const std::vector<std::wstring>& DefaultCategories() {
    static const std::vector<std::wstring> list = {
        L"全て",
        L"未設定",
        L"System",
        L"キャラクター／アニメ",
        L"映画",
        L"商品／広告",
        L"アイドル／有名人",
        L"スポーツ",
        L"自然／風景",
        L"動物",
        L"乗り物",
        L"生活／趣味",
        L"ファッション",
        L"アート",
    };
    return list;
}

std::vector<std::wstring> CategoriesFromStored(int storedCount, std::vector<std::wstring> stored) {
    if (storedCount <= 0) return DefaultCategories();
    const auto& defaults = DefaultCategories();
    while (stored.size() < 2) stored.push_back(defaults[stored.size()]);
    return stored;
}

void LoadCategories(SaverCatalog& catalog) {
    const std::wstring& path = catalog.settings_path;
    catalog.categories = CategoriesFromStored(ReadStoredCount(path, kCategorySection),
                                              ReadCountedList(path, kCategorySection, kMaxCategories));
}

void SaveCategories(const SaverCatalog& catalog) {
    WriteCountedList(catalog.settings_path, kCategorySection, catalog.categories);
}

} // namespace lum
