#include "store/EntryFolder.h"

#include "base/FileSystem.h"
#include "base/IniFile.h"
#include "base/ModulePath.h"
#include "store/CategoryList.h"
#include "store/ItemFile.h"
#include "store/SaverCatalog.h"
#include "base/Scoped.h"

#include <windows.h>

#include <vector>


namespace lum {

std::wstring EntryFolderPath(const std::wstring& base, int number) {
    std::wstring digits = std::to_wstring(number);
    if (digits.size() < 5) digits.insert(0, 5 - digits.size(), L'0');
    return base + digits;
}

int EntryNumberOfName(const std::wstring& name) {
    if (name.size() != 5) return -1;
    int number = 0;
    for (const wchar_t c : name) {
        if (c < L'0' || c > L'9') return -1;
        number = number * 10 + (c - L'0');
    }
    // "12345" is no entry folder of ours, and its number must not index
    // the table of taken numbers.
    return number < kEntryNumberCount ? number : -1;
}

int ClaimEntryNumber(const std::function<FolderAttempt(int number)>& attempt) {
    for (int n = 0; n < kEntryNumberCount; ++n) {
        switch (attempt(n)) {
        case FolderAttempt::Created: return n;
        case FolderAttempt::Impossible: return -1;
        case FolderAttempt::Taken: break;
        }
    }
    return -1;
}

std::wstring TitleFromSaverPath(const std::wstring& saverPath) {
    const std::wstring name = FileNameOfPath(saverPath);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

SaverItem NewEntryFor(const std::wstring& saverPath, const std::wstring& folder) {
    SaverItem item;
    item.scr = saverPath;
    item.category = kUnsortedCategory;
    item.folder = folder;
    item.title = TitleFromSaverPath(saverPath);
    return item;
}

std::wstring SaverCopyPath(const SaverItem& item) {
    return item.folder + L"\\" + FileNameOfPath(item.scr);
}

std::wstring CreateEntryFolder(const SaverCatalog& catalog) {
    if (catalog.DataFolder().empty()) return std::wstring();
    const std::wstring base = catalog.CollectionFolder() + L"\\";
    // Names that exist already cannot be created; knowing them from one
    // listing spares a failing CreateDirectoryW per existing entry. The
    // folder is still made by CreateDirectoryW, which alone decides.
    std::vector<bool> taken(kEntryNumberCount, false);
    WIN32_FIND_DATAW data{};
    UniqueFind find(::FindFirstFileW((base + L"*").c_str(), &data));
    if (find) {
        do {
            const int n = EntryNumberOfName(data.cFileName);
            if (n >= 0) taken[static_cast<size_t>(n)] = true;
        } while (::FindNextFileW(find.get(), &data));
    }
    const int number = ClaimEntryNumber([&base, &taken](int n) {
        if (taken[static_cast<size_t>(n)]) return FolderAttempt::Taken;
        if (::CreateDirectoryW(EntryFolderPath(base, n).c_str(), nullptr)) return FolderAttempt::Created;
        return ::GetLastError() == ERROR_PATH_NOT_FOUND ? FolderAttempt::Impossible : FolderAttempt::Taken;
    });
    return number < 0 ? std::wstring() : EntryFolderPath(base, number);
}

bool AddEntry(SaverCatalog& catalog, const std::wstring& saverPath, SaverInfoSource_IF* source) {
    const std::wstring folder = CreateEntryFolder(catalog);
    if (folder.empty()) return false;  // never write into another entry's folder

    SaverItem item = NewEntryFor(saverPath, folder);
    // The source works on a copy: a failed lookup must not leave half an
    // answer in the record, and the answer's large_image is not taken.
    SaverItem answer = item;
    if (source != nullptr && source->FetchInfo(saverPath, folder, answer)) {
        // Kept as the file will hold them, so that memory and disk agree.
        item.category = IniSafeValue(answer.category);
        item.title = IniSafeValue(answer.title);
        item.note = IniSafeValue(answer.note);
        item.web = IniSafeValue(answer.web);
        if (FindCategory(catalog, item.category) == -1 &&
            catalog.categories.size() < static_cast<size_t>(kMaxCategories)) {
            catalog.categories.push_back(item.category);
            SaveCategories(catalog);
        }
    } else {
        const std::wstring placeholder = catalog.module_path.folder + L"\\" + kPlaceholderName;
        ::CopyFileW(placeholder.c_str(), (folder + L"\\" + kThumbnailName).c_str(), FALSE);
    }
    SaveItem(item);
    return true;
}

std::wstring SaverProgramFor(const SaverItem& item) {
    const std::wstring copy = SaverCopyPath(item);
    return (IsExistingFile(copy) && item.use_original_saver != 1) ? copy : item.scr;
}

} // namespace lum
