#pragma once
// The arithmetic of the thumbnail recorder's ring: which slot a picture goes
// to, the order in which the pictures are shown, their labels, and how many
// full-screen pictures fit into the memory the recording may take.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lum {

struct RecorderSettings {
    int ringSize = 30;                    // pictures kept
    DWORD intervalMs = 500;               // between two pictures
    int coverPolls = 20;                  // waiting for the saver to cover the dialog...
    DWORD coverPollMs = 100;              // ...this far apart
    DWORD capMs = 5 * 60 * 1000;          // a recording never runs longer than this
    uint64_t fullPictureBudget = 256ull * 1024 * 1024;  // bytes for the full-screen pictures
};

// The slot a ring position falls into, 0 .. size - 1 for any index
// (negative ones included); 0 for a ring without slots.
int RingSlot(int64_t index, int size);

// The slots holding `count` pictures, newest first, when `next` is the slot
// the next picture would be written to.
std::vector<int> NewestFirstSlots(int next, int count, int size);

// "0.5秒前" for the newest picture (position 0) at a 500 ms interval, then
// one interval further back per position; tenths of a second, truncated.
std::wstring AgeLabel(int position, DWORD intervalMs);

// Bytes of one full-screen picture as the recorder keeps it (16 bits a
// pixel, rows padded to four bytes).
uint64_t FullPictureBytes(int width, int height);

// How many of the newest pictures keep their full-screen copy within the
// budget: between 0 and the ring size.
int FullPicturesWithinBudget(int width, int height, int ringSize, uint64_t budget);

// When a picture goes into `slot` and only `keep` full pictures may live,
// the slot whose full picture has to go; -1 when none has to.
int SlotLosingFullPicture(int slot, int keep, int size);

} // namespace lum
