#pragma once
// A catalogue living in a temporary folder of the test prefix: settings file,
// data folder and a program folder with its placeholder picture.
#include "store/SaverCatalog.h"
#include "tests/support/TestSupport.h"
#include "base/Scoped.h"

#include <string>
#include <vector>

namespace lum::test {

class StoreFolder {
public:
    StoreFolder() {
        catalog.settings_path = m_temp / L"Lumenary.ini";
        catalog.module_path.folder = m_temp / L"program";
        MakeFolders(catalog.module_path.folder);
    }

    std::wstring Root() const { return m_temp.path(); }
    std::wstring All() const { return catalog.CollectionFolder(); }

    // Writes <all>\<relative>\saver_item.ini (UTF-16) with the given key lines
    // of section SAVER_ITEM and returns its path.
    std::wstring WriteEntry(const std::wstring& relative, const std::wstring& keyLines,
                            const std::wstring& fileName = L"saver_item.ini") const {
        const std::wstring folder = All() + L"\\" + relative;
        MakeFolders(folder);
        const std::wstring path = folder + L"\\" + fileName;
        WriteUtf16File(path, L"[SAVER_ITEM]\r\n" + keyLines);
        return path;
    }

    // Index in catalog.items of the entry read from <all>\<relative>, or -1.
    int IndexOf(const std::wstring& relative) const {
        const std::wstring folder = All() + L"\\" + relative;
        for (size_t i = 0; i < catalog.items.size(); ++i)
            if (catalog.items[i].folder == folder) return static_cast<int>(i);
        return -1;
    }

    std::vector<std::wstring> TitlesOf(size_t group) const {
        std::vector<std::wstring> titles;
        for (const int32_t index : catalog.groups.at(group).items)
            titles.push_back(catalog.items.at(static_cast<size_t>(index)).title);
        return titles;
    }

    SaverCatalog catalog;

private:
    TempFolder m_temp;
};

// Sets a file's last write time far into the past, so that any later write
// shows, however quickly it follows.
inline void AgeFile(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    SYSTEMTIME st{};
    st.wYear = 2001; st.wMonth = 2; st.wDay = 3; st.wHour = 4;
    FILETIME ft{};
    ::SystemTimeToFileTime(&st, &ft);
    ::SetFileTime(file.get(), nullptr, nullptr, &ft);
}

inline bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

} // namespace lum::test
