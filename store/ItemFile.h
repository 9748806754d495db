#pragma once
#include <string>

namespace lum {

// Names of an entry's files inside its folder.
constexpr const wchar_t* kItemFileName = L"saver_item.ini";
constexpr const wchar_t* kItemSection = L"SAVER_ITEM";
constexpr const wchar_t* kThumbnailName = L"image.png";
constexpr const wchar_t* kPlaceholderName = L"no_image.png";

// The category a new entry gets, and that a file without one reads as.
constexpr const wchar_t* kUnsortedCategory = L"未設定";

// The entry file's name matched the way the file system matches it: in full,
// without regard to the case of ASCII letters.
bool IsEntryFileName(const std::wstring& name);

} // namespace lum
