#pragma once
// The recorded pictures: a ring of thumbnails in an image list and, for the
// newest of them, the full-screen picture of the same moment. Slot k of the
// ring is image k of the list and full picture k.
#include "base/Scoped.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace lum {

constexpr int kThumbWidth = 128;
constexpr int kThumbHeight = 96;

class PictureRing {
public:
    // keepFull: how many of the newest pictures keep their full-screen copy.
    PictureRing(int size, int keepFull);

    // Puts one picture into the next slot. The list copies the thumbnail;
    // `full` may be null (no memory for it). A thumbnail the list refuses
    // leaves the ring as it was: false.
    bool Store(HBITMAP thumbnail, UniqueBitmap full);

    int Size() const { return m_size; }
    int Count() const;                 // thumbnails held
    int NextSlot() const { return m_next; }
    int KeepFull() const { return m_keepFull; }
    HIMAGELIST Thumbnails() const { return m_thumbs.get(); }
    HBITMAP FullPicture(int slot) const;  // null for an empty slot or none kept
    // Newest first, as the dialog lists them.
    std::vector<int> SlotsNewestFirst() const;

private:
    int m_size;
    int m_keepFull;
    int m_next = 0;
    UniqueImageList m_thumbs;
    std::vector<UniqueBitmap> m_full;
};

} // namespace lum
