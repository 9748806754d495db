#include "store/CategoryList.h"
#include "store/EntryFolder.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

#include <set>

namespace lum {
namespace {

using test::StoreFolder;

TEST(EntryFolderRules, OnlyFiveDigitNamesAreNumbers) {
    EXPECT_EQ(EntryNumberOfName(L"00000"), 0);
    EXPECT_EQ(EntryNumberOfName(L"00042"), 42);
    EXPECT_EQ(EntryNumberOfName(L"09999"), 9999);
    EXPECT_EQ(EntryNumberOfName(L"10000"), -1) << "past the last entry number";
    EXPECT_EQ(EntryNumberOfName(L"99999"), -1);
    EXPECT_EQ(EntryNumberOfName(L"0042"), -1);
    EXPECT_EQ(EntryNumberOfName(L"000042"), -1);
    EXPECT_EQ(EntryNumberOfName(L"0004a"), -1);
    EXPECT_EQ(EntryNumberOfName(L"-0004"), -1);
    EXPECT_EQ(EntryNumberOfName(L"０００４２"), -1) << "full-width digits are not digits here";
}

TEST(EntryFolderRules, FirstCreatedNumberWinsAndAFullRangeGivesNone) {
    std::set<int> taken = {0, 1, 3};
    const auto attempt = [&taken](int n) {
        return taken.insert(n).second ? FolderAttempt::Created : FolderAttempt::Taken;
    };
    EXPECT_EQ(ClaimEntryNumber(attempt), 2);
    EXPECT_EQ(ClaimEntryNumber(attempt), 4);

    int tries = 0;
    EXPECT_EQ(ClaimEntryNumber([&tries](int) { ++tries; return FolderAttempt::Taken; }), -1);
    EXPECT_EQ(tries, kEntryNumberCount);
    tries = 0;
    EXPECT_EQ(ClaimEntryNumber([&tries](int) { ++tries; return FolderAttempt::Impossible; }), -1);
    EXPECT_EQ(tries, 1) << "a missing parent folder is not tried 10,000 times";
}

TEST(EntryFolderRules, TitleIsTheFileNameWithoutExtension) {
    EXPECT_EQ(TitleFromSaverPath(L"C:\\windows\\system32\\Bubbles.scr"), L"Bubbles");
    EXPECT_EQ(TitleFromSaverPath(L"C:\\savers\\星.空.scr"), L"星.空");
    EXPECT_EQ(TitleFromSaverPath(L"C:\\my.savers\\noext"), L"noext") << "a dot in a folder does not count";
    EXPECT_EQ(TitleFromSaverPath(L"plain.scr"), L"plain");
    EXPECT_EQ(TitleFromSaverPath(L"C:\\x\\.scr"), L"");
}

TEST(EntryFolderOnDisk, NewFoldersFillGapsFromZeroUp) {
    StoreFolder store;
    LoadCatalog(store.catalog);
    for (const wchar_t* n : {L"00000", L"00001", L"00003", L"0002", L"00002.old"})
        test::MakeFolders(store.All() + L"\\" + n);
    EXPECT_EQ(CreateEntryFolder(store.catalog), store.All() + L"\\00002");
    EXPECT_EQ(CreateEntryFolder(store.catalog), store.All() + L"\\00004");
    EXPECT_TRUE(test::FolderExists(store.All() + L"\\00004"));
}

// Five-digit names beyond the entry range lie about, for instance, where a
// user kept a folder named after a year or a postcode.
TEST(EntryFolderOnDisk, FiveDigitNamesPastTheRangeAreIgnored) {
    StoreFolder store;
    LoadCatalog(store.catalog);
    for (const wchar_t* n : {L"00000", L"10000", L"65535", L"99999"})
        test::MakeFolders(store.All() + L"\\" + n);
    EXPECT_EQ(CreateEntryFolder(store.catalog), store.All() + L"\\00001");
    EXPECT_EQ(CreateEntryFolder(store.catalog), store.All() + L"\\00002");
}

TEST(EntryFolderOnDisk, APlainFileOccupiesItsNumber) {
    StoreFolder store;
    LoadCatalog(store.catalog);
    ASSERT_TRUE(test::WriteBytes(store.All() + L"\\00000", std::string("not a folder")));
    EXPECT_EQ(CreateEntryFolder(store.catalog), store.All() + L"\\00001");
}

TEST(EntryFolderOnDisk, WithoutCollectionFolderNothingIsMade) {
    StoreFolder store;  // never loaded: "all" does not exist
    EXPECT_EQ(CreateEntryFolder(store.catalog), L"");
    EXPECT_FALSE(AddEntry(store.catalog, L"C:\\x\\a.scr", nullptr));
    EXPECT_FALSE(test::FolderExists(store.All()));
}

// All 10,000 numbers taken: the add must fail and leave every existing entry
// as it was instead of writing into one of them.
TEST(EntryFolderOnDisk, AFullCollectionRefusesTheAdd) {
    StoreFolder store;
    LoadCatalog(store.catalog);
    for (int n = 0; n < kEntryNumberCount; ++n)
        ASSERT_TRUE(::CreateDirectoryW(EntryFolderPath(store.All() + L"\\", n).c_str(), nullptr)) << n;
    const std::wstring last = store.WriteEntry(L"09999", L"title=old\r\nscr=C:\\old.scr\r\n");
    const auto before = test::ReadBytes(last);

    EXPECT_EQ(CreateEntryFolder(store.catalog), L"");
    EXPECT_FALSE(AddEntry(store.catalog, L"C:\\savers\\new.scr", nullptr));
    EXPECT_EQ(test::ReadBytes(last), before);
    EXPECT_FALSE(test::FileExists(store.All() + L"\\09999\\image.png"));
    EXPECT_FALSE(test::FileExists(store.All() + L"\\00000\\saver_item.ini"));
}

TEST(EntryFolderOnDisk, AddWithoutLookupUsesThePlaceholderAndSortsLast) {
    StoreFolder store;
    const std::string png = "\x89PNG placeholder bytes";
    ASSERT_TRUE(test::WriteBytes(store.catalog.module_path.folder + L"\\no_image.png", png));
    store.WriteEntry(L"00000", L"sort_id=0\r\ncategory=未設定\r\ntitle=old\r\n");
    LoadCatalog(store.catalog);

    ASSERT_TRUE(AddEntry(store.catalog, L"C:\\windows\\system32\\Mystify.scr", nullptr));
    const std::wstring folder = store.All() + L"\\00001";
    EXPECT_EQ(test::ReadBytes(folder + L"\\image.png"), std::vector<unsigned char>(png.begin(), png.end()));
    SaverItem item;
    ReadItem(folder + L"\\saver_item.ini", item);
    EXPECT_EQ(item.title, L"Mystify");
    EXPECT_EQ(item.category, L"未設定");
    EXPECT_EQ(item.scr, L"C:\\windows\\system32\\Mystify.scr");
    EXPECT_EQ(item.sort_id, 999999);
    EXPECT_EQ(item.note, L"");
    EXPECT_EQ(item.web, L"");
    EXPECT_EQ(item.large_image, 0);
    EXPECT_EQ(item.use_original_saver, 0);

    LoadItems(store.catalog);
    BuildGroups(store.catalog);
    EXPECT_EQ(store.TitlesOf(1), (std::vector<std::wstring>{L"old", L"Mystify"}));
    ReadItem(folder + L"\\saver_item.ini", item);
    EXPECT_EQ(item.sort_id, 1);
}

// Answers like the web database: a picture in the folder and the texts.
class FakeSource : public SaverInfoSource_IF {
public:
    bool found = true;
    std::wstring category = L"宇宙";
    std::vector<std::wstring> asked;
    bool FetchInfo(const std::wstring& saverPath, const std::wstring& destFolder, SaverItem& item) override {
        asked.push_back(saverPath + L"|" + destFolder);
        // A failing lookup may still have touched the record.
        item.title = L"half";
        if (!found) return false;
        test::WriteBytes(destFolder + L"\\image.png", std::string("downloaded"));
        item.category = category;
        item.title = L"銀河";
        item.note = L"説明\r\n二行目";
        item.web = L"http://example.invalid/g";
        item.large_image = 1;
        return true;
    }
};

TEST(EntryFolderOnDisk, AddTakesTheAnswerAndItsNewCategory) {
    StoreFolder store;
    test::WriteBytes(store.catalog.module_path.folder + L"\\no_image.png", std::string("placeholder"));
    LoadCatalog(store.catalog);
    FakeSource source;
    ASSERT_TRUE(AddEntry(store.catalog, L"C:\\s\\galaxy.scr", &source));
    const std::wstring folder = store.All() + L"\\00000";
    ASSERT_EQ(source.asked, std::vector<std::wstring>{L"C:\\s\\galaxy.scr|" + folder});
    EXPECT_EQ(test::ReadBytes(folder + L"\\image.png"), std::vector<unsigned char>({'d','o','w','n','l','o','a','d','e','d'}));

    SaverItem item;
    ReadItem(folder + L"\\saver_item.ini", item);
    EXPECT_EQ(item.category, L"宇宙");
    EXPECT_EQ(item.title, L"銀河");
    EXPECT_EQ(item.note, L"説明 二行目");
    EXPECT_EQ(item.web, L"http://example.invalid/g");
    EXPECT_EQ(item.large_image, 0) << "the answer's large_image is not taken";
    EXPECT_EQ(item.scr, L"C:\\s\\galaxy.scr");

    ASSERT_EQ(store.catalog.categories.size(), 15u);
    EXPECT_EQ(store.catalog.categories.back(), L"宇宙");
    SaverCatalog reloaded;
    reloaded.settings_path = store.catalog.settings_path;
    LoadCategories(reloaded);
    EXPECT_EQ(reloaded.categories, store.catalog.categories) << "the longer list was saved";

    // A second saver of the same category adds no second tab.
    ASSERT_TRUE(AddEntry(store.catalog, L"C:\\s\\galaxy2.scr", &source));
    EXPECT_EQ(store.catalog.categories.size(), 15u);
}

TEST(EntryFolderOnDisk, AFullCategoryListTakesNoNewCategory) {
    StoreFolder store;
    LoadCatalog(store.catalog);
    store.catalog.categories.clear();
    for (int i = 0; i < kMaxCategories; ++i) store.catalog.categories.push_back(L"c" + std::to_wstring(i));
    FakeSource source;
    ASSERT_TRUE(AddEntry(store.catalog, L"C:\\s\\galaxy.scr", &source));
    EXPECT_EQ(store.catalog.categories.size(), 100u);
    EXPECT_FALSE(test::FileExists(store.catalog.settings_path));
    SaverItem item;
    ReadItem(store.All() + L"\\00000\\saver_item.ini", item);
    EXPECT_EQ(item.category, L"宇宙") << "the entry keeps it and is shown unsorted";
}

TEST(EntryFolderOnDisk, AFailedLookupFallsBackToThePlaceholder) {
    StoreFolder store;
    test::WriteBytes(store.catalog.module_path.folder + L"\\no_image.png", std::string("placeholder"));
    LoadCatalog(store.catalog);
    FakeSource source;
    source.found = false;
    ASSERT_TRUE(AddEntry(store.catalog, L"C:\\s\\lonely.scr", &source));
    SaverItem item;
    ReadItem(store.All() + L"\\00000\\saver_item.ini", item);
    EXPECT_EQ(item.title, L"lonely") << "nothing of a failed answer is kept";
    EXPECT_EQ(item.category, L"未設定");
    EXPECT_EQ(test::ReadBytes(store.All() + L"\\00000\\image.png"),
              std::vector<unsigned char>({'p','l','a','c','e','h','o','l','d','e','r'}));
    EXPECT_EQ(store.catalog.categories.size(), 14u);
}

TEST(EntryFolderOnDisk, AnEntrysOwnCopyRunsUnlessTheOriginalIsAskedFor) {
    StoreFolder store;
    LoadCatalog(store.catalog);
    SaverItem item;
    item.folder = store.All() + L"\\00000";
    item.scr = L"C:\\windows\\system32\\Ribbons.scr";
    test::MakeFolders(item.folder);
    EXPECT_EQ(SaverProgramFor(item), item.scr) << "no copy yet";

    ASSERT_TRUE(test::WriteBytes(item.folder + L"\\Ribbons.scr", std::string("MZ")));
    EXPECT_EQ(SaverProgramFor(item), item.folder + L"\\Ribbons.scr");
    item.use_original_saver = 1;
    EXPECT_EQ(SaverProgramFor(item), item.scr);

    // A folder that only has the saver's name is no program.
    SaverItem other = item;
    other.use_original_saver = 0;
    other.scr = L"C:\\savers\\Folder.scr";
    test::MakeFolders(item.folder + L"\\Folder.scr");
    EXPECT_EQ(SaverProgramFor(other), other.scr);
}

} // namespace
} // namespace lum
