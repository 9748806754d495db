#include "tests/webdb/DatabaseFixture.h"

#include "store/CategoryList.h"
#include "store/SaverCatalog.h"
#include "store/WebSaverDatabase.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

// A catalogue in the test prefix whose settings point at the test server,
// with the placeholder picture beside a pretend program file.
class AddEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_catalog.settings_path = m_db.SettingsPath();
        m_catalog.module_path.folder = m_db.Root() + L"\\program";
        MakeFolders(m_catalog.module_path.folder);
        MakeFolders(m_catalog.CollectionFolder());
        ASSERT_TRUE(WriteBytes(m_catalog.module_path.folder + L"\\no_image.png", m_placeholder));
        LoadCategories(m_catalog);

        m_star = MakeSaverFile(m_db.SaverFolder(), L"Starfield.scr", 3000, 1);
        m_known = MakeSaverFile(m_db.SaverFolder(), L"Bubbles.scr", 800, 2);
        m_unknown = MakeSaverFile(m_db.SaverFolder(), L"Mystery.Saver.scr", 500, 3);
        dbbuilder::DatabaseWriter writer;
        writer.Add(KeyOf(m_star), L"Starfield.scr", {L"幾何学模様", L"星の海", L"説明です", L"http://s.example/"},
                   true, 0);
        writer.Add(KeyOf(m_known), L"Bubbles.scr", {L"アート", L"しゃぼん玉", L"", L""}, false, 1);
        m_db.Write(writer, {SmallPng(1), SmallPng(2)});
        m_db.PointSettingsAt(m_db.Server().HostSetting());
    }

    std::wstring Folder(size_t n) const { return m_catalog.CollectionFolder() + L"\\0000" + std::to_wstring(n); }
    SaverItem Entry(size_t n) const {
        SaverItem item;
        ReadItem(Folder(n) + L"\\saver_item.ini", item);
        return item;
    }
    std::vector<unsigned char> Picture(size_t n) const { return ReadBytes(Folder(n) + L"\\image.png"); }

    DatabaseFolder m_db;
    WebSaverDatabase_CL m_database{m_db.SettingsPath(), QuickOptions()};
    SaverCatalog m_catalog;
    const std::vector<unsigned char> m_placeholder = SmallPng(0xEE);
    std::wstring m_star, m_known, m_unknown;
};

TEST_F(AddEntryTest, FoundSaverTakesTheAnswerAndAppendsItsNewCategory) {
    const size_t before = m_catalog.categories.size();
    ASSERT_TRUE(AddEntry(m_catalog, m_star, &m_database));
    ASSERT_TRUE(AddEntry(m_catalog, m_known, &m_database));

    const SaverItem star = Entry(0);
    EXPECT_EQ(TextsOf(star), (Texts{L"幾何学模様", L"星の海", L"説明です", L"http://s.example/"}));
    EXPECT_EQ(star.scr, m_star);
    EXPECT_EQ(star.large_image, 0);  // the answer's flag is not taken
    EXPECT_EQ(Picture(0), SmallPng(1));
    EXPECT_EQ(Entry(1).category, L"アート");
    EXPECT_EQ(Picture(1), SmallPng(2));

    // "幾何学模様" is new, "アート" is a default one: one category more, saved.
    ASSERT_EQ(m_catalog.categories.size(), before + 1);
    EXPECT_EQ(m_catalog.categories.back(), L"幾何学模様");
    SaverCatalog reloaded;
    reloaded.settings_path = m_catalog.settings_path;
    LoadCategories(reloaded);
    EXPECT_EQ(reloaded.categories, m_catalog.categories);
}

TEST_F(AddEntryTest, HundredCategoriesTakeNoMore) {
    while (m_catalog.categories.size() < 100) {
        m_catalog.categories.push_back(L"分類" + std::to_wstring(m_catalog.categories.size()));
    }
    ASSERT_TRUE(AddEntry(m_catalog, m_star, &m_database));
    EXPECT_EQ(m_catalog.categories.size(), 100u);
    EXPECT_EQ(FindCategory(m_catalog, L"幾何学模様"), -1);
    EXPECT_EQ(Entry(0).category, L"幾何学模様");  // the entry keeps it and shows under "未設定"
}

// An unknown saver and one whose answer failed at the picture after its
// texts had come keep nothing of an answer. (A server that cannot be
// reached is the install dialog's case, InstallDialogTest.)
TEST_F(AddEntryTest, UnknownSaverOrFailedAnswerGetsThePlaceholder) {
    ASSERT_TRUE(::DeleteFileW((m_db.DbFolder() + L"\\images\\img00000.png").c_str()));
    const size_t before = m_catalog.categories.size();
    ASSERT_TRUE(AddEntry(m_catalog, m_unknown, &m_database));
    EXPECT_EQ(m_database.LastOutcome(), FetchOutcome::NotFound);
    ASSERT_TRUE(AddEntry(m_catalog, m_star, &m_database));
    EXPECT_EQ(m_database.LastOutcome(), FetchOutcome::Failed);
    const wchar_t* titles[] = {L"Mystery.Saver", L"Starfield"};
    for (size_t n = 0; n < 2; ++n) {
        EXPECT_EQ(TextsOf(Entry(n)), (Texts{L"未設定", titles[n], L"", L""})) << n;
        EXPECT_EQ(Picture(n), m_placeholder) << n;
    }
    EXPECT_EQ(m_catalog.categories.size(), before);
}

} // namespace
} // namespace lum::test
