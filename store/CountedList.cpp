#include "store/CountedList.h"

#include "base/IniFile.h"

#include <algorithm>

namespace lum {

std::wstring ListItemKey(int position) {
    std::wstring digits = std::to_wstring(position);
    if (digits.size() < 2) digits.insert(0, 1, L'0');
    return L"item" + digits;
}

int UsableCount(int storedCount, int limit) {
    return std::clamp(storedCount, 0, std::max(limit, 0));
}

int ReadStoredCount(const std::wstring& iniPath, const wchar_t* section) {
    return ReadIniInt(iniPath, section, L"count", 0);
}

std::vector<std::wstring> ReadCountedList(const std::wstring& iniPath, const wchar_t* section, int limit) {
    const int n = UsableCount(ReadStoredCount(iniPath, section), limit);
    std::vector<std::wstring> list;
    list.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) list.push_back(ReadIniString(iniPath, section, ListItemKey(i)));
    return list;
}

void WriteCountedList(const std::wstring& iniPath, const wchar_t* section, const std::vector<std::wstring>& list) {
    for (size_t i = 0; i < list.size(); ++i)
        WriteIniString(iniPath, section, ListItemKey(static_cast<int>(i)), list[i]);
    WriteIniInt(iniPath, section, L"count", static_cast<int>(list.size()));
}

} // namespace lum
