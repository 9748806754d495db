#include "tests/webdb/DatabaseFixture.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

uint32_t BigEndian32(const std::vector<unsigned char>& b, size_t at) {
    return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) | b[at + 3];
}

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

    struct Expected {
        const wchar_t* file;
        const wchar_t* category;
        const wchar_t* title;
    };
    const Expected savers[] = {
        {L"Starfield.scr", L"自然／風景", L"星の海"},
        {L"Bubbles.scr", L"アート", L"しゃぼん玉"},
        {L"Plasma.scr", L"幾何学模様", L"プラズマ"},
    };
    for (const Expected& e : savers) {
        SaverItem item;
        ASSERT_EQ(LookupSaverInfo(endpoint, DistFolder() + L"\\demo\\" + e.file, dest.path(), item, QuickOptions()),
                  FetchOutcome::Found)
            << Narrow(e.file);
        EXPECT_EQ(item.category, e.category);
        EXPECT_EQ(item.title, e.title);
        EXPECT_FALSE(item.note.empty());
        EXPECT_EQ(item.web.rfind(L"https://", 0), 0u);
        const std::vector<unsigned char> png = ReadBytes(dest / L"image.png");
        ASSERT_GT(png.size(), 24u);
        EXPECT_EQ(png[1], 'P');
        EXPECT_EQ(BigEndian32(png, 16), 128u);  // IHDR width and height
        EXPECT_EQ(BigEndian32(png, 20), 96u);
    }
}

} // namespace
} // namespace lum::test
