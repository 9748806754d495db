#pragma once
// The counted list format of the settings file: key "count", then item00,
// item01, ... in one section.
#include <string>
#include <vector>

namespace lum {

// "item%02d": two digits up to 99, three from 100 on.
std::wstring ListItemKey(int position);

// How many elements to read for a stored "count": a negative count reads
// none, and no more than `limit` are read however large it is.
int UsableCount(int storedCount, int limit);

// Reads the elements 0 .. UsableCount-1 (a missing key is an empty element).
std::vector<std::wstring> ReadCountedList(const std::wstring& iniPath, const wchar_t* section, int limit);
int ReadStoredCount(const std::wstring& iniPath, const wchar_t* section);

// Writes every element, then "count". Keys of a longer earlier list stay and
// are ignored on reading. The count goes last so that a write cut short never
// announces elements that are not there.
void WriteCountedList(const std::wstring& iniPath, const wchar_t* section, const std::vector<std::wstring>& list);

} // namespace lum
