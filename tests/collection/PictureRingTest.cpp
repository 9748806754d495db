#include "saver/ScreenRecorder.h"
#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

#include <set>

namespace lum {
namespace {

// A thumbnail-sized bitmap of one colour, to tell the pictures apart.
UniqueBitmap Solid(COLORREF colour) {
    WindowDC screen(nullptr);
    UniqueMemoryDC dc(::CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), kThumbWidth, kThumbHeight));
    {
        SelectScope selected(dc.get(), bitmap.get());
        UniqueBrush brush(::CreateSolidBrush(colour));
        RECT all{0, 0, kThumbWidth, kThumbHeight};
        ::FillRect(dc.get(), &all, brush.get());
    }
    return bitmap;
}

uint32_t ColourOf(HIMAGELIST list, int index) {
    return test::DrawnPixels(kThumbWidth, kThumbHeight, 0, [&](HDC dc) {
        ::ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
    }).at(10, 10);
}

COLORREF Shade(int n) { return RGB(n * 8, 255 - n * 4, 0); }

TEST(PictureRing, KeepsTheNewestAcrossTheWrapAndOnlyTheirFullPictures) {
    PictureRing ring(30, 3);
    for (int n = 0; n < 35; ++n) {
        UniqueBitmap full = Solid(Shade(n));
        ASSERT_TRUE(ring.Store(Solid(Shade(n)).get(), std::move(full))) << n;
    }
    EXPECT_EQ(ring.Count(), 30);
    EXPECT_EQ(ring.NextSlot(), 5);
    const std::vector<int> slots = ring.SlotsNewestFirst();
    ASSERT_EQ(slots.size(), 30u);
    EXPECT_EQ(ColourOf(ring.Thumbnails(), slots.front()), test::Rgb(Shade(34)));
    EXPECT_EQ(ColourOf(ring.Thumbnails(), slots.back()), test::Rgb(Shade(5)));
    EXPECT_EQ(std::set<int>(slots.begin(), slots.end()).size(), 30u);

    int full = 0;
    for (int slot = 0; slot < 30; ++slot) full += ring.FullPicture(slot) ? 1 : 0;
    EXPECT_EQ(full, 3);
    for (int i = 0; i < 3; ++i) EXPECT_NE(ring.FullPicture(slots[i]), nullptr) << i;
}

TEST(PictureRing, AFrameTheListRefusesIsSkipped) {
    PictureRing ring(4, 4);
    ASSERT_TRUE(ring.Store(Solid(Shade(1)).get(), UniqueBitmap()));
    HBITMAP gone = Solid(Shade(2)).get();  // deleted at once: the list cannot copy it
    EXPECT_FALSE(ring.Store(gone, Solid(Shade(2))));
    EXPECT_FALSE(ring.Store(nullptr, UniqueBitmap()));
    EXPECT_EQ(ring.Count(), 1);
    EXPECT_EQ(ring.NextSlot(), 1);
    EXPECT_EQ(ring.FullPicture(1), nullptr);
}

// Full pictures at 16 bits, as the memory budget counts them (their size is
// the e2e test's).
TEST(PictureRing, CaptureTakesTheScreenAtSixteenBits) {
    PictureRing ring(2, 2);
    for (int n = 0; n < 3; ++n) ASSERT_TRUE(CapturePicture(ring, true));
    EXPECT_EQ(ring.Count(), 2);
    BITMAP info{};
    ASSERT_TRUE(::GetObjectW(ring.FullPicture(ring.SlotsNewestFirst().front()), sizeof(info), &info));
    EXPECT_EQ(info.bmBitsPixel, 16);

    PictureRing thumbsOnly(2, 0);  // no memory for full pictures: thumbnails still come
    ASSERT_TRUE(CapturePicture(thumbsOnly, false));
    EXPECT_EQ(thumbsOnly.Count(), 1);
    EXPECT_EQ(thumbsOnly.FullPicture(0), nullptr);
}

} // namespace
} // namespace lum
