#pragma once
// Adds a batch of savers to the collection, one entry each, and tells which
// could not be added.
#include "store/SaverCatalog.h"
#include "store/SaverInfoSource.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace lum {

// Called before saver n (1-based) of total is looked up and added.
using AddProgress = std::function<void(size_t n, size_t total, const std::wstring& path)>;

// Adds every path in order; a saver that cannot be added does not stop the
// rest. Returns the paths that were not added.
std::vector<std::wstring> AddSavers(SaverCatalog& catalog, const std::vector<std::wstring>& paths,
                                    SaverInfoSource_IF* source, const AddProgress& progress);

// "n / N  <file name>" for the hint line while the batch runs.
std::wstring AddProgressText(size_t n, size_t total, const std::wstring& path);

// The message naming the savers that were not added, one path a line.
std::wstring NotAddedMessage(const std::vector<std::wstring>& paths);

} // namespace lum
