#pragma once
#include "base/SaverItem.h"

#include <string>

namespace lum {

// Something that knows savers by their file: the publisher's web database in
// the program, a test double in tests. One object serves one batch of adds,
// so it may remember that its server cannot be reached.
class SaverInfoSource_IF {
public:
    virtual ~SaverInfoSource_IF() = default;
    // On success sets category, title, note, web and large_image of `item`
    // and writes destFolder + "\image.png".
    virtual bool FetchInfo(const std::wstring& saverPath, const std::wstring& destFolder, SaverItem& item) = 0;
};

} // namespace lum
