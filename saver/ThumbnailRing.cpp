#include "saver/ThumbnailRing.h"

#include <algorithm>

namespace lum {

int RingSlot(int64_t index, int size) {
    if (size <= 0) return 0;
    const int64_t slot = index % size;
    return static_cast<int>(slot < 0 ? slot + size : slot);
}

std::vector<int> NewestFirstSlots(int next, int count, int size) {
    std::vector<int> slots;
    if (size <= 0) return slots;
    count = std::clamp(count, 0, size);
    slots.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) slots.push_back(RingSlot(static_cast<int64_t>(next) - i, size));
    return slots;
}

std::wstring AgeLabel(int position, DWORD intervalMs) {
    const uint64_t tenths = (static_cast<uint64_t>(position) + 1) * intervalMs / 100;
    return std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10) + L"秒前";
}

uint64_t FullPictureBytes(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    const uint64_t stride = (static_cast<uint64_t>(width) * 2 + 3) / 4 * 4;
    return stride * static_cast<uint64_t>(height);
}

int FullPicturesWithinBudget(int width, int height, int ringSize, uint64_t budget) {
    if (ringSize <= 0) return 0;
    const uint64_t one = FullPictureBytes(width, height);
    if (one == 0) return ringSize;
    return static_cast<int>(std::min<uint64_t>(budget / one, static_cast<uint64_t>(ringSize)));
}

int SlotLosingFullPicture(int slot, int keep, int size) {
    if (size <= 0 || keep >= size) return -1;
    return RingSlot(static_cast<int64_t>(slot) - keep, size);
}

} // namespace lum
