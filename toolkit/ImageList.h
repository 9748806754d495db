#pragma once
// An image list cut from a bitmap strip, magenta standing for transparent.
#include "base/Scoped.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace lum {

constexpr COLORREF kStripMaskColour = RGB(255, 0, 255);

class ImageList_CL {
public:
    ImageList_CL() = default;
    virtual ~ImageList_CL() = default;
    ImageList_CL(const ImageList_CL&) = delete;
    ImageList_CL& operator=(const ImageList_CL&) = delete;

    // Image n covers columns n * width .. n * width + width - 1 of the file.
    // A missing or unreadable file leaves the list null. Returns the list.
    HIMAGELIST LoadImageStrip(const std::wstring& bitmapFile, int imageWidth);

    HIMAGELIST Handle() const { return m_hImageList.get(); }
    // Hands the list over to a new owner.
    HIMAGELIST Release() { return m_hImageList.release(); }
    // Takes over a list made elsewhere (destroying the one held before).
    void Reset(HIMAGELIST list) { m_hImageList.reset(list); }

private:
    UniqueImageList m_hImageList;
};

} // namespace lum
