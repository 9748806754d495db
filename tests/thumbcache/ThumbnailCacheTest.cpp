#include "base/Scoped.h"
#include "tests/support/PaneTestSupport.h"
#include "views/ThumbnailCache.h"

#include <gtest/gtest.h>

#include <vector>

namespace lum {
namespace {

constexpr SIZE kShown{128, 100};
constexpr Gdiplus::ARGB kTop = 0xFF204080, kBottom = 0xFFC08020;

Gdiplus::ARGB PixelOf(const KeptThumbnail& kept, int x, int y) {
    Gdiplus::ARGB colour = 0;
    gdip::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(kept.picture), x, y, &colour);
    return colour;
}

// A write time that differs from any the file had, however fast the rewrite.
void StampNewTime(const std::wstring& path, WORD year) {
    test::WriteBytes(path, test::ReadBytes(path));
    UniqueFile file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    SYSTEMTIME st{};
    st.wYear = year; st.wMonth = 1; st.wDay = 1;
    FILETIME ft{};
    ::SystemTimeToFileTime(&st, &ft);
    ::SetFileTime(file.get(), nullptr, nullptr, &ft);
}

class ThumbnailCacheTest : public ::testing::Test {
protected:
    GdiplusSession m_gdiplus;
    test::TempFolder m_temp;
};

TEST_F(ThumbnailCacheTest, DecodesOncePerFileKeepsWhatARowShowsFollowsChangesAndSkipsBrokenFiles) {
    const std::wstring path = m_temp / L"image.png";
    ASSERT_TRUE(test::WritePicture(path, 300, 200, kTop, kBottom));
    ThumbnailCache cache(kShown, 10);
    const KeptThumbnail first = cache.Get(path);
    ASSERT_NE(first.picture, nullptr);
    EXPECT_EQ(first.width, 128u);
    EXPECT_EQ(first.height, 100u);
    // The top left of the picture, unscaled: all of it from the upper half.
    for (const POINT p : {POINT{0, 0}, POINT{127, 0}, POINT{5, 99}, POINT{127, 99}})
        EXPECT_EQ(PixelOf(first, p.x, p.y), kTop) << p.x << "," << p.y;
    EXPECT_EQ(cache.Get(path).picture, first.picture);
    EXPECT_EQ(cache.Decodes(), 1);

    // A new picture under the same name (as a capture writes it) is decoded
    // afresh; a small one is kept whole.
    ASSERT_TRUE(test::WritePicture(path, 50, 40, kBottom, kTop));
    StampNewTime(path, 2030);
    const KeptThumbnail changed = cache.Get(path);
    EXPECT_EQ(cache.Decodes(), 2);
    EXPECT_EQ(changed.width, 50u);
    EXPECT_EQ(changed.height, 40u);
    EXPECT_EQ(PixelOf(changed, 0, 0), kBottom);

    // The file is not held open: the entry's folder can go.
    EXPECT_TRUE(::DeleteFileW(path.c_str()));
    EXPECT_EQ(cache.Get(path).picture, nullptr);

    // Missing and broken pictures draw nothing; a broken one is not decoded again.
    const std::wstring broken = m_temp / L"broken.png";
    ASSERT_TRUE(test::WriteBytes(broken, std::string("\x89PNG not really")));
    for (const std::wstring& missing : {std::wstring(), m_temp / L"missing.png", m_temp.path(), broken})
        EXPECT_EQ(cache.Get(missing).picture, nullptr) << test::Narrow(missing);
    const int decodes = cache.Decodes();
    EXPECT_EQ(cache.Get(broken).picture, nullptr);
    EXPECT_EQ(cache.Decodes(), decodes);
}

TEST_F(ThumbnailCacheTest, KeepsAtMostItsCapacityDroppingTheLeastRecentlyDrawn) {
    std::vector<std::wstring> paths;
    for (int i = 0; i < 3; ++i) {
        paths.push_back(m_temp / (L"p" + std::to_wstring(i) + L".png"));
        ASSERT_TRUE(test::WritePicture(paths.back(), 20, 20, kTop, kBottom));
    }
    ThumbnailCache cache(kShown, 2);
    cache.Get(paths[0]);
    cache.Get(paths[1]);
    cache.Get(paths[0]);  // 1 is now the least recently drawn
    cache.Get(paths[2]);
    EXPECT_EQ(cache.Count(), 2u);
    EXPECT_EQ(cache.Decodes(), 3);
    cache.Get(paths[0]);
    EXPECT_EQ(cache.Decodes(), 3) << "kept";
    cache.Get(paths[1]);
    EXPECT_EQ(cache.Decodes(), 4) << "dropped before";
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0u);
    cache.Get(paths[1]);
    EXPECT_EQ(cache.Decodes(), 5);
}

} // namespace
} // namespace lum
