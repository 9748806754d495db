#include "store/ItemFile.h"

#include "base/IniFile.h"
#include "base/ModulePath.h"
#include "store/ProfileSection.h"
#include "store/SaverCatalog.h"

#include <cwchar>

namespace lum {

namespace {
wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }
} // namespace

bool IsEntryFileName(const std::wstring& name) {
    const size_t length = std::wcslen(kItemFileName);
    if (name.size() != length) return false;
    for (size_t i = 0; i < length; ++i)
        if (FoldAscii(name[i]) != kItemFileName[i]) return false;
    return true;
}

void ReadItem(const std::wstring& iniPath, SaverItem& item) {
    const ProfileSection section = ReadProfileSection(iniPath, kItemSection);
    item.sort_id = section.Int(L"sort_id", -1);
    item.category = section.String(L"category", kUnsortedCategory, kIniValueBuffer);
    item.title = section.String(L"title", L"", kIniValueBuffer);
    item.note = section.String(L"note", L"", kIniValueBuffer);
    item.web = section.String(L"web", L"", kIniValueBuffer);
    item.scr = section.String(L"scr", L"", kIniValueBuffer);
    item.large_image = section.Int(L"large_image", 0);
    item.use_original_saver = section.Int(L"use_original_saver", 0);
    item.folder = FolderOfPath(iniPath);
    item.image = item.folder + L"\\" + kThumbnailName;
}

void SaveItem(const SaverItem& item) {
    if (item.folder.empty()) return;  // a record that never had a folder has no file
    const std::wstring path = item.folder + L"\\" + kItemFileName;
    WriteIniInt(path, kItemSection, L"sort_id", item.sort_id);
    WriteIniString(path, kItemSection, L"category", item.category);
    WriteIniString(path, kItemSection, L"title", item.title);
    WriteIniString(path, kItemSection, L"note", item.note);
    WriteIniString(path, kItemSection, L"web", item.web);
    WriteIniString(path, kItemSection, L"scr", item.scr);
    WriteIniInt(path, kItemSection, L"large_image", item.large_image);
    WriteIniInt(path, kItemSection, L"use_original_saver", item.use_original_saver);
}

void SaveSortId(const SaverItem& item) {
    if (item.folder.empty()) return;
    const std::wstring path = item.folder + L"\\" + kItemFileName;
    const std::wstring value = std::to_wstring(item.sort_id);
    if (!ReplaceProfileValue(path, kItemSection, L"sort_id", value))
        WriteIniString(path, kItemSection, L"sort_id", value);
}

} // namespace lum
