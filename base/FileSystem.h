#pragma once
#include <string>

namespace lum {

// A file (not a folder) exists at `path`; false for an empty path.
bool IsExistingFile(const std::wstring& path);

} // namespace lum
