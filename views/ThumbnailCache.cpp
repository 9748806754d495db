#include "views/ThumbnailCache.h"

#include <algorithm>

namespace lum {

namespace {

bool StampOf(const std::wstring& path, uint64_t& written, uint64_t& size) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    written = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

} // namespace

ThumbnailCache::ThumbnailCache(SIZE shown, size_t capacity) : m_shown(shown), m_capacity(std::max<size_t>(capacity, 1)) {}

void ThumbnailCache::Clear() {
    m_byPath.clear();
    m_kept.clear();
}

KeptThumbnail ThumbnailCache::Get(const std::wstring& path) {
    uint64_t written = 0, size = 0;
    if (path.empty() || !StampOf(path, written, size)) return KeptThumbnail();

    auto found = m_byPath.find(path);
    if (found != m_byPath.end()) {
        m_kept.splice(m_kept.begin(), m_kept, found->second);
    } else {
        if (m_kept.size() >= m_capacity) {
            m_byPath.erase(m_kept.back().path);
            m_kept.pop_back();
        }
        m_kept.emplace_front();
        m_kept.front().path = path;
        m_byPath.emplace(path, m_kept.begin());
    }
    Kept& kept = m_kept.front();
    if (found == m_byPath.end() || kept.written != written || kept.size != size) {
        kept.written = written;
        kept.size = size;
        Decode(kept);
    }
    return KeptThumbnail{kept.picture.get(), kept.width, kept.height};
}

void ThumbnailCache::Decode(Kept& kept) {
    ++m_nDecodes;
    kept.picture.reset();
    kept.width = kept.height = 0;
    UINT width = 0, height = 0;
    GdipImage decoded = LoadPicture(kept.path);
    if (!PictureSize(decoded, width, height)) return;  // kept as "nothing to draw" until the file changes

    const UINT keptWidth = std::min<UINT>(width, static_cast<UINT>(std::max<LONG>(m_shown.cx, 1)));
    const UINT keptHeight = std::min<UINT>(height, static_cast<UINT>(std::max<LONG>(m_shown.cy, 1)));
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(static_cast<INT>(keptWidth), static_cast<INT>(keptHeight), 0,
                                        PixelFormat32bppPARGB, nullptr, &bitmap) != Gdiplus::Ok) {
        return;
    }
    GdipImage copy;
    *copy.put() = bitmap;
    GdipGraphics graphics;
    if (gdip::GdipGetImageGraphicsContext(copy.get(), graphics.put()) != Gdiplus::Ok) return;
    // The picture's own pixels, as a row draws it: unscaled and not blended
    // with the empty bitmap.
    gdip::GdipSetCompositingMode(graphics.get(), Gdiplus::CompositingModeSourceCopy);
    if (gdip::GdipDrawImageRectI(graphics.get(), decoded.get(), 0, 0, static_cast<INT>(width),
                                 static_cast<INT>(height)) != Gdiplus::Ok) {
        return;
    }
    graphics.reset();
    kept.picture = std::move(copy);
    kept.width = keptWidth;
    kept.height = keptHeight;
}

} // namespace lum
