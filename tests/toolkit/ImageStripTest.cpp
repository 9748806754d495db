// The image strip: where each image comes from in the file, transparency,
// and the strip that ships beside the program.
#include "tests/support/Pixels.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ImageList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace lum {
namespace {

constexpr int kSide = 24;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A 24-bit bottom-up BMP file from a pixel function.
template <typename Pixel>
std::vector<unsigned char> MakeBmp(int width, int height, Pixel pixel) {
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, static_cast<DWORD>(rowBytes * height), 0, 0, 0, 0};
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<unsigned char> bytes(file.bfSize, 0);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* at = &bytes[file.bfOffBits + static_cast<size_t>(height - 1 - y) * rowBytes + x * 3];
            const COLORREF c = pixel(x, y);
            at[0] = GetBValue(c), at[1] = GetGValue(c), at[2] = GetRValue(c);
        }
    return bytes;
}

// One image drawn over a plain background, as 0x00RRGGBB pixels.
test::Pixels Drawn(HIMAGELIST list, int image, COLORREF background) {
    return test::DrawnPixels(kSide, kSide, test::Rgb(background),
                             [&](HDC dc) { ::ImageList_Draw(list, image, dc, 0, 0, ILD_NORMAL); });
}

SIZE IconSize(HIMAGELIST list) {
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(list, &cx, &cy);
    return SIZE{cx, cy};
}

COLORREF Body(int n) { return RGB(40 * n + 10, 200 - 30 * n, 60); }
COLORREF FirstColumn(int n) { return RGB(0, 0, 100 + 20 * n); }
COLORREF LastColumn(int n) { return RGB(250, 250 - 20 * n, 0); }

TEST(ImageStrip, ImageNIsItsOwnColumnsAndMagentaIsTransparent) {
    test::TempFolder folder;
    const std::wstring file = folder / L"strip.bmp";
    const int count = 5;
    ASSERT_TRUE(test::WriteBytes(file, MakeBmp(count * kSide, kSide, [](int x, int y) {
        const int n = x / kSide;
        const int column = x % kSide;
        if (column == 0) return FirstColumn(n);
        if (column == kSide - 1) return LastColumn(n);
        if (column >= 2 && column < 6 && y >= 2 && y < 6) return kMagenta;
        return Body(n);
    })));

    ImageList_CL images;
    HIMAGELIST list = images.LoadImageStrip(file, kSide);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(list), count);
    EXPECT_EQ(IconSize(list).cx, kSide);
    EXPECT_EQ(IconSize(list).cy, kSide);

    for (int n = 0; n < count; ++n) {
        for (const COLORREF background : {RGB(0, 128, 0), RGB(255, 255, 255)}) {
            const test::Pixels image = Drawn(list, n, background);
            EXPECT_EQ(image.at(0, 12), test::Rgb(FirstColumn(n))) << "image " << n;
            EXPECT_EQ(image.at(kSide - 1, 12), test::Rgb(LastColumn(n))) << "image " << n;
            EXPECT_EQ(image.at(12, 12), test::Rgb(Body(n))) << "image " << n;
            EXPECT_EQ(image.at(3, 3), test::Rgb(background)) << "image " << n << ": magenta must not show";
        }
    }
}

TEST(ImageStrip, UnreadableFilesLeaveTheListNull) {
    test::TempFolder folder;
    ImageList_CL images;
    EXPECT_EQ(images.LoadImageStrip(folder / L"absent.bmp", kSide), nullptr);
    ASSERT_TRUE(test::WriteBytes(folder / L"junk.bmp", std::string("BM this is no bitmap")));
    EXPECT_EQ(images.LoadImageStrip(folder / L"junk.bmp", kSide), nullptr);
    EXPECT_EQ(images.Handle(), nullptr);
    // A good file, then a bad one: the old list does not linger.
    ASSERT_TRUE(test::WriteBytes(folder / L"good.bmp", MakeBmp(48, kSide, [](int, int) { return RGB(1, 2, 3); })));
    ASSERT_NE(images.LoadImageStrip(folder / L"good.bmp", kSide), nullptr);
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
    EXPECT_EQ(IconSize(list).cy, kSide);

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
