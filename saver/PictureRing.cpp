#include "saver/PictureRing.h"

#include "saver/ThumbnailRing.h"

#include <algorithm>

namespace lum {

PictureRing::PictureRing(int size, int keepFull)
    : m_size(std::max(size, 1)),
      m_keepFull(std::clamp(keepFull, 0, m_size)),
      m_thumbs(::ImageList_Create(kThumbWidth, kThumbHeight, ILC_COLOR24, 0, m_size)),
      m_full(static_cast<size_t>(m_size)) {}

int PictureRing::Count() const {
    return m_thumbs ? std::min(::ImageList_GetImageCount(m_thumbs.get()), m_size) : 0;
}

bool PictureRing::Store(HBITMAP thumbnail, UniqueBitmap full) {
    if (!m_thumbs || !thumbnail) return false;
    int slot = RingSlot(m_next, m_size);
    if (::ImageList_GetImageCount(m_thumbs.get()) < m_size) {
        // Appending puts the picture at the end of the list, which is the
        // ring's next slot as long as every earlier picture went in.
        const int added = ::ImageList_Add(m_thumbs.get(), thumbnail, nullptr);
        if (added < 0 || added >= m_size) {
            if (added >= m_size) ::ImageList_Remove(m_thumbs.get(), added);
            return false;
        }
        slot = added;
    } else if (!::ImageList_Replace(m_thumbs.get(), slot, thumbnail, nullptr)) {
        return false;
    }
    const int losing = SlotLosingFullPicture(slot, m_keepFull, m_size);
    if (losing >= 0) m_full[static_cast<size_t>(losing)].reset();
    m_full[static_cast<size_t>(slot)] = m_keepFull > 0 ? std::move(full) : UniqueBitmap();
    m_next = RingSlot(static_cast<int64_t>(slot) + 1, m_size);
    return true;
}

HBITMAP PictureRing::FullPicture(int slot) const {
    if (slot < 0 || slot >= m_size) return nullptr;
    return m_full[static_cast<size_t>(slot)].get();
}

std::vector<int> PictureRing::SlotsNewestFirst() const { return NewestFirstSlots(m_next, Count(), m_size); }

} // namespace lum
