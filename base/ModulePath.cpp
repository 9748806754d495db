#include "base/ModulePath.h"

#include <windows.h>
#include <shlobj.h>

namespace lum {

ModulePath SplitModulePath(const std::wstring& fullPath) {
    ModulePath result;
    const size_t slash = fullPath.rfind(L'\\');
    if (slash == std::wstring::npos) {
        result.folder = fullPath;
        return result;
    }
    result.fileName = fullPath.substr(slash + 1);
    // The last "." is searched in the whole path, so a dot in a folder name
    // with none in the file name leaves the base name empty.
    const size_t dot = fullPath.rfind(L'.');
    if (dot != std::wstring::npos && dot > slash)
        result.baseName = fullPath.substr(slash + 1, dot - slash - 1);
    result.folder = fullPath.substr(0, slash);
    return result;
}

ModulePath QueryModulePath() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return SplitModulePath(std::wstring(buffer, n < MAX_PATH ? n : MAX_PATH - 1));
}

std::wstring FileNameOfPath(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring FolderOfPath(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring DocumentsFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, buffer)))
        return std::wstring();
    std::wstring folder(buffer);
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

std::wstring SettingsPathFor(const std::wstring& documents, const ModulePath& module) {
    return documents + L"\\Lumenary\\" + module.baseName + L".ini";
}

std::wstring SettingsPath() {
    return SettingsPathFor(DocumentsFolder(), QueryModulePath());
}

std::wstring DataFolderOf(const std::wstring& settingsPath) {
    return FolderOfPath(settingsPath);
}

} // namespace lum
