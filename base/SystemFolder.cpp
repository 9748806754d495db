#include "base/SystemFolder.h"

#include <windows.h>

#include <vector>

namespace lum {

std::wstring SystemFolderPath(const wchar_t* fileName) {
    const UINT needed = ::GetSystemDirectoryW(nullptr, 0);
    if (needed == 0 || !fileName || !*fileName) return std::wstring();
    std::vector<wchar_t> buffer(needed);
    const UINT length = ::GetSystemDirectoryW(buffer.data(), needed);
    if (length == 0 || length >= needed) return std::wstring();
    std::wstring path(buffer.data(), length);
    if (path.back() != L'\\') path += L'\\';
    return path + fileName;
}

} // namespace lum
