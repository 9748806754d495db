#include "store/ItemFile.h"
#include "store/SaverCatalog.h"

#include "base/Scoped.h"

namespace lum {

// Depth first: a sub-folder is scanned completely before the next entry of
// its parent, so an entry's files stay together in discovery order.
void ScanEntryFiles(const std::wstring& folder, std::vector<std::wstring>& entryFiles) {
    WIN32_FIND_DATAW data{};
    UniqueFind find(::FindFirstFileW((folder + L"\\*.*").c_str(), &data));
    if (!find) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ScanEntryFiles(folder + L"\\" + name, entryFiles);
        else if (IsEntryFileName(name))
            entryFiles.push_back(folder + L"\\" + name);
    } while (::FindNextFileW(find.get(), &data));
}

} // namespace lum
