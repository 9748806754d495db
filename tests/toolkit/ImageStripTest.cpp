// The image strip: files that do not load, and the strip that ships beside
// the program, each image clear on any background with magenta transparent.
#include "tests/support/Pixels.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ImageList.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

constexpr int kSide = 24;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// One image drawn over a plain background, as 0x00RRGGBB pixels.
test::Pixels Drawn(HIMAGELIST list, int image, COLORREF background) {
    return test::DrawnPixels(kSide, kSide, test::Rgb(background),
                             [&](HDC dc) { ::ImageList_Draw(list, image, dc, 0, 0, ILD_NORMAL); });
}

TEST(ImageStrip, UnreadableFilesLeaveTheListNull) {
    test::TempFolder folder;
    ImageList_CL images;
    EXPECT_EQ(images.LoadImageStrip(folder / L"absent.bmp", kSide), nullptr);
    ASSERT_TRUE(test::WriteBytes(folder / L"junk.bmp", std::string("BM this is no bitmap")));
    EXPECT_EQ(images.LoadImageStrip(folder / L"junk.bmp", kSide), nullptr);
    EXPECT_EQ(images.Handle(), nullptr);
    // A good file, then a bad one: the old list does not linger.
    ASSERT_NE(images.LoadImageStrip(test::DistFolder() + L"\\menu_image.bmp", kSide), nullptr);
    EXPECT_EQ(images.LoadImageStrip(folder / L"absent.bmp", kSide), nullptr);
    EXPECT_EQ(images.Handle(), nullptr);
}

TEST(ImageStrip, ShippedStripHoldsSixteenClearImages) {
    const std::wstring file = test::DistFolder() + L"\\menu_image.bmp";
    ASSERT_TRUE(test::FileExists(file)) << test::Narrow(file);
    ImageList_CL images;
    HIMAGELIST list = images.LoadImageStrip(file, kSide);
    ASSERT_NE(list, nullptr);
    EXPECT_GE(::ImageList_GetImageCount(list), 16);
    int width = 0, height = 0;
    ::ImageList_GetIconSize(list, &width, &height);
    EXPECT_EQ(height, kSide);

    for (int n = 0; n < 16; ++n) {
        // Transparent where it shows both backgrounds, drawn where it shows neither.
        const test::Pixels onBlack = Drawn(list, n, RGB(0, 0, 0));
        const test::Pixels onWhite = Drawn(list, n, RGB(255, 255, 255));
        int transparent = 0;
        int drawn = 0;
        for (size_t i = 0; i < onWhite.data.size(); ++i) {
            if (onBlack.data[i] == 0 && onWhite.data[i] == 0xFFFFFF) ++transparent;
            if (onBlack.data[i] == onWhite.data[i]) ++drawn;
            EXPECT_NE(onWhite.data[i], test::Rgb(kMagenta)) << "image " << n;
        }
        // A clear icon: a real shape with room around it (the spare image may be quiet).
        EXPECT_GT(transparent, kSide * kSide / 12) << "image " << n;
        if (n != 13) {
            EXPECT_GT(drawn, 40) << "image " << n;
        }
    }
}

} // namespace
} // namespace lum
