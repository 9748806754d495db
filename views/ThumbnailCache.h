#pragma once
// Row thumbnails decoded once and kept ready to draw. Each is cut to the
// part a row shows and copied into a bitmap of its own, so the picture file
// is not held open (an entry folder can still be deleted or its picture
// replaced). A kept picture serves until its file changes (another size or
// write time) or the cache is cleared at a reload; at most `capacity` are
// kept, the least recently drawn going first.
#include "toolkit/GdiPlusOwners.h"

#include <windows.h>

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

namespace lum {

struct KeptThumbnail {
    Gdiplus::GpImage* picture = nullptr;  // null: no file, or one that does not decode
    UINT width = 0;                       // of the kept part
    UINT height = 0;
};

class ThumbnailCache {
public:
    // `shown`: the largest part of a thumbnail that a row can show.
    ThumbnailCache(SIZE shown, size_t capacity);

    // Valid until the next call of Get or Clear.
    KeptThumbnail Get(const std::wstring& path);
    void Clear();

    size_t Count() const { return m_kept.size(); }
    int Decodes() const { return m_nDecodes; }

private:
    struct Kept {
        std::wstring path;
        uint64_t written = 0;
        uint64_t size = 0;
        GdipImage picture;
        UINT width = 0;
        UINT height = 0;
    };
    void Decode(Kept& kept);

    SIZE m_shown;
    size_t m_capacity;
    std::list<Kept> m_kept;  // most recently drawn first
    std::unordered_map<std::wstring, std::list<Kept>::iterator> m_byPath;
    int m_nDecodes = 0;
};

} // namespace lum
