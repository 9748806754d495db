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
        m_unknown = MakeSaverFile(m_db.SaverFolder(), L"Mystery.Saver.scr", 500, 3);
        dbbuilder::DatabaseWriter writer;
        writer.Add(KeyOf(m_star), L"Starfield.scr", {L"幾何学模様", L"星の海", L"説明です", L"http://s.example/"},
                   true, 0);
        m_db.Write(writer, {SmallPng(1)});
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
    std::wstring m_star, m_unknown;
};

// Taking the answer and its new category is the end-to-end test's matter;
// at 100 categories no new one is added, yet the entry keeps the whole
// answer (but not its still-picture flag) and shows under "未設定".
TEST_F(AddEntryTest, HundredCategoriesTakeNoMore) {
    while (m_catalog.categories.size() < 100) {
        m_catalog.categories.push_back(L"分類" + std::to_wstring(m_catalog.categories.size()));
    }
    ASSERT_TRUE(AddEntry(m_catalog, m_star, &m_database));
    EXPECT_EQ(m_catalog.categories.size(), 100u);
    const SaverItem star = Entry(0);
    EXPECT_EQ(TextsOf(star), (Texts{L"幾何学模様", L"星の海", L"説明です", L"http://s.example/"}));
    EXPECT_EQ(star.large_image, 0);
    EXPECT_EQ(Picture(0), SmallPng(1));
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
