#pragma once
// Numbered entry folders and what a new entry starts with.
#include "base/SaverItem.h"

#include <functional>
#include <string>

namespace lum {

// Entry folders are numbered 00000 to 09999.
constexpr int kEntryNumberCount = 10000;

// `base` followed by the number as five digits with leading zeros.
std::wstring EntryFolderPath(const std::wstring& base, int number);

enum class FolderAttempt {
    Created,     // the folder is new and ours
    Taken,       // something of that name exists; try the next number
    Impossible,  // no number can succeed (the parent folder is missing)
};

// The number of an entry folder's name ("00042" is 42), or -1 for any name
// that is not exactly five decimal digits or names a number past 09999.
int EntryNumberOfName(const std::wstring& name);

// Tries the numbers from 0 upward and returns the first one whose attempt
// created a folder, or -1 when none did.
int ClaimEntryNumber(const std::function<FolderAttempt(int number)>& attempt);

// The saver's file name without its extension: after the last backslash,
// cut at the last "." of the name.
std::wstring TitleFromSaverPath(const std::wstring& saverPath);

// A fresh record for a saver that is being added into `folder`.
SaverItem NewEntryFor(const std::wstring& saverPath, const std::wstring& folder);

// Where an entry's own copy of its saver would lie: its folder plus the file
// name of scr.
std::wstring SaverCopyPath(const SaverItem& item);

} // namespace lum
