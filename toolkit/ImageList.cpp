#include "toolkit/ImageList.h"

namespace lum {

HIMAGELIST ImageList_CL::LoadImageStrip(const std::wstring& bitmapFile, int imageWidth) {
    m_hImageList.reset();
    if (imageWidth <= 0) return nullptr;
    // LR_SHARED is not used with a file: a shared bitmap must not be deleted,
    // and this one is deleted as soon as the list holds its copy.
    UniqueBitmap strip(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), bitmapFile.c_str(),
                                                         IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    if (!strip) return nullptr;
    BITMAP info{};
    if (!::GetObjectW(strip.get(), sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0) {
        return nullptr;
    }
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    m_hImageList.reset(::ImageList_Create(imageWidth, height, ILC_COLOR24 | ILC_MASK, 0, info.bmWidth / imageWidth));
    if (m_hImageList) ::ImageList_AddMasked(m_hImageList.get(), strip.get(), kStripMaskColour);
    return m_hImageList.get();
}

} // namespace lum
