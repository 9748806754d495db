#pragma once
#include "base/ModulePath.h"
#include "store/SaverInfoSource.h"
#include "base/SaverItem.h"

#include <string>
#include <vector>

namespace lum {

// The collection in memory. Views hold item indices only until the next
// LoadItems; every reload is followed by BuildGroups.
struct SaverCatalog {
    std::vector<std::wstring> entry_files;   // saver_item.ini paths, scan order
    std::vector<std::wstring> categories;    // [0] all entries, [1] unsorted
    std::vector<SaverItem> items;            // same order as entry_files
    std::vector<CategoryGroup> groups;       // one per category
    ModulePath module_path;
    std::vector<std::wstring> address_history;

    // Where this catalogue lives. The program passes the real settings file;
    // tests point it at a temporary folder.
    std::wstring settings_path;
    std::wstring DataFolder() const;          // settings path cut at its last backslash
    std::wstring CollectionFolder() const;    // DataFolder() + "\Collection\all"
};

void LoadCatalog(SaverCatalog& catalog);
void LoadItems(SaverCatalog& catalog);
void ScanEntryFiles(const std::wstring& folder, std::vector<std::wstring>& entryFiles);
void ReadItem(const std::wstring& iniPath, SaverItem& item);
void SaveItem(const SaverItem& item);
// Writes the "sort_id" key alone: a new position must not rewrite the other
// values (a load keeps only 4,095 characters of each).
void SaveSortId(const SaverItem& item);
void BuildGroups(SaverCatalog& catalog);
void NormalizeSortIds(SaverCatalog& catalog);
void RenumberCategory(SaverCatalog& catalog, const std::vector<int32_t>& items);
// Empty when every number 00000 to 09999 is taken.
std::wstring CreateEntryFolder(const SaverCatalog& catalog);
// False when no entry folder could be made; then nothing was written.
// `source` may be null: the entry then gets the placeholder picture.
bool AddEntry(SaverCatalog& catalog, const std::wstring& saverPath, SaverInfoSource_IF* source);
int FindCategory(const SaverCatalog& catalog, const std::wstring& name);
void CollectSaverPaths(const SaverCatalog& catalog, std::vector<std::wstring>& paths);
// The program an entry runs for preview and full screen: the copy in its
// folder unless use_original_saver is 1 or there is none; else scr.
std::wstring SaverProgramFor(const SaverItem& item);

} // namespace lum
