#pragma once
#include <string>

namespace lum {

// The full path of `fileName` in the system folder ("C:\Windows\System32\x").
// Programs and libraries of the system are started and loaded by this path,
// never by the search order: a copy planted beside the program or in the
// current folder must not run instead. Empty when the folder is unknown.
std::wstring SystemFolderPath(const wchar_t* fileName);

} // namespace lum
