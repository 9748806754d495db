#pragma once
#include <string>

namespace lum {

// Where the program file lies. Filled afresh by each caller; nothing caches it.
struct ModulePath {
    std::wstring folder;    // up to, not including, the last backslash
    std::wstring fileName;  // after the last backslash
    std::wstring baseName;  // file name up to the last "." of the path
};

// Splits a program path the way the settings file name needs it.
ModulePath SplitModulePath(const std::wstring& fullPath);

// The running program's own path, split.
ModulePath QueryModulePath();

// The part of a path after its last backslash (the whole path without one).
std::wstring FileNameOfPath(const std::wstring& path);

// The part of a path before its last backslash (empty without one).
std::wstring FolderOfPath(const std::wstring& path);

// The current user's documents folder, without a trailing backslash.
std::wstring DocumentsFolder();

// <documents>\Lumenary\<base name>.ini
std::wstring SettingsPathFor(const std::wstring& documents, const ModulePath& module);

// The settings file of the running program.
std::wstring SettingsPath();

// The data folder: the settings path cut at its last backslash.
std::wstring DataFolderOf(const std::wstring& settingsPath);

} // namespace lum
