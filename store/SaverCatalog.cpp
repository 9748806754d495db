#include "store/SaverCatalog.h"

#include "store/AddressHistory.h"
#include "store/CategoryList.h"

#include <windows.h>

#include <utility>

namespace lum {

std::wstring SaverCatalog::DataFolder() const { return DataFolderOf(settings_path); }

std::wstring SaverCatalog::CollectionFolder() const { return DataFolder() + L"\\Collection\\all"; }

void LoadCatalog(SaverCatalog& catalog) {
    const std::wstring data = catalog.DataFolder();
    // Without a data folder the paths below would point at the drive's root.
    if (!data.empty()) {
        // Existing folders and other failures are fine: a missing "all"
        // folder only means an empty collection.
        ::CreateDirectoryW(data.c_str(), nullptr);
        ::CreateDirectoryW((data + L"\\Collection").c_str(), nullptr);
        ::CreateDirectoryW(catalog.CollectionFolder().c_str(), nullptr);
    }
    LoadCategories(catalog);
    LoadItems(catalog);
    BuildGroups(catalog);
    LoadAddressHistory(catalog);
}

void LoadItems(SaverCatalog& catalog) {
    catalog.items.clear();
    catalog.entry_files.clear();
    if (catalog.DataFolder().empty()) return;
    ScanEntryFiles(catalog.CollectionFolder(), catalog.entry_files);
    catalog.items.reserve(catalog.entry_files.size());
    for (const auto& path : catalog.entry_files) {
        SaverItem item;
        ReadItem(path, item);
        catalog.items.push_back(std::move(item));
    }
}

void CollectSaverPaths(const SaverCatalog& catalog, std::vector<std::wstring>& paths) {
    for (const auto& item : catalog.items) paths.push_back(item.scr);
}

} // namespace lum
