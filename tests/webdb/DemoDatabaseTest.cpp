#include "tests/webdb/DatabaseFixture.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

// The database the build made for the demo savers, served as run.sh serves
// it, answers for each built saver with what its manifest line says.
TEST(DemoDatabaseTest, KnowsEveryDemoSaver) {
    const std::wstring root = DistFolder() + L"\\demo\\db";
    if (!FileExists(root + L"\\lumenary\\db_saver_index.txt")) {
        GTEST_SKIP() << "the demo database was not built (target demo_db)";
    }
    TestHttpServer server(root);
    ASSERT_TRUE(server.running());
    DatabaseEndpoint endpoint{L"127.0.0.1", server.port()};
    TempFolder dest;

    // File, category and title of each.
    const wchar_t* const savers[][3] = {
        {L"Starfield.scr", L"自然／風景", L"星の海"},
        {L"Bubbles.scr", L"アート", L"しゃぼん玉"},
        {L"Plasma.scr", L"幾何学模様", L"プラズマ"},
    };
    for (const auto& e : savers) {
        SaverItem item;
        ASSERT_EQ(LookupSaverInfo(endpoint, DistFolder() + L"\\demo\\" + e[0], dest.path(), item, QuickOptions()),
                  FetchOutcome::Found)
            << Narrow(e[0]);
        EXPECT_EQ(item.category, e[1]);
        EXPECT_EQ(item.title, e[2]);
        EXPECT_FALSE(item.note.empty());
        EXPECT_EQ(item.web.rfind(L"https://", 0), 0u);
        // A PNG of 128 x 96: the width and height in its header, big-endian.
        const std::vector<unsigned char> png = ReadBytes(dest / L"image.png");
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(png[1], 'P');
        EXPECT_EQ(std::vector<unsigned char>(png.begin() + 16, png.begin() + 24),
                  (std::vector<unsigned char>{0, 0, 0, 128, 0, 0, 0, 96}));
    }
}

} // namespace
} // namespace lum::test
