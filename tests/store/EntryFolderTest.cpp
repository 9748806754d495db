#include "store/CategoryList.h"
#include "store/EntryFolder.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using test::StoreFolder;

TEST(EntryFolderRules, NumbersAndTitlesFromNames) {
    const std::pair<const wchar_t*, int> numbers[] = {
        {L"00000", 0}, {L"00042", 42}, {L"09999", 9999}, {L"10000", -1}, {L"99999", -1}, {L"0042", -1},
        {L"000042", -1}, {L"0004a", -1}, {L"-0004", -1}, {L"０００４２", -1}};
    for (const auto& [name, number] : numbers) EXPECT_EQ(EntryNumberOfName(name), number) << test::Narrow(name);

    const std::pair<const wchar_t*, const wchar_t*> titles[] = {
        {L"C:\\windows\\system32\\Bubbles.scr", L"Bubbles"}, {L"C:\\savers\\星.空.scr", L"星.空"},
        {L"C:\\my.savers\\noext", L"noext"}, {L"plain.scr", L"plain"}, {L"C:\\x\\.scr", L""}};
    for (const auto& [path, title] : titles) EXPECT_EQ(TitleFromSaverPath(path), title) << test::Narrow(path);
}

// Which numbers are taken is seen on disk below.
TEST(EntryFolderRules, AFolderThatCannotBeMadeIsTriedOnce) {
    int tries = 0;
    EXPECT_EQ(ClaimEntryNumber([&tries](int) { ++tries; return FolderAttempt::Impossible; }), -1);
    EXPECT_EQ(tries, 1) << "a missing parent folder is not tried 10,000 times";
}

// Gaps are filled from 00000 up; other names, five-digit names past the
// range (a year, a postcode) and plain files do not confuse the count, and
// a plain file occupies its number.
TEST(EntryFolderOnDisk, NewFoldersFillGapsFromZeroUp) {
    StoreFolder store;
    LoadCatalog(store.catalog);
    for (const wchar_t* n : {L"00000", L"00001", L"00003", L"0002", L"00002.old", L"10000", L"99999"})
        test::MakeFolders(store.All() + L"\\" + n);
    ASSERT_TRUE(test::WriteBytes(store.All() + L"\\00004", std::string("not a folder")));
    EXPECT_EQ(CreateEntryFolder(store.catalog), store.All() + L"\\00002");
    EXPECT_EQ(CreateEntryFolder(store.catalog), store.All() + L"\\00005");
    EXPECT_TRUE(test::FolderExists(store.All() + L"\\00005"));
}

TEST(EntryFolderOnDisk, WithoutCollectionFolderNothingIsFoundOrMade) {
    StoreFolder store;  // never loaded: "all" does not exist
    store.catalog.categories = DefaultCategories();
    LoadItems(store.catalog);
    BuildGroups(store.catalog);
    EXPECT_TRUE(store.catalog.items.empty());
    ASSERT_EQ(store.catalog.groups.size(), 14u);
    EXPECT_TRUE(store.catalog.groups[0].items.empty());
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
    EXPECT_EQ(item.note + item.web, L"");
    EXPECT_EQ(item.large_image + item.use_original_saver, 0);

    LoadItems(store.catalog);
    BuildGroups(store.catalog);
    EXPECT_EQ(store.TitlesOf(1), (std::vector<std::wstring>{L"old", L"Mystify"}));
    ReadItem(folder + L"\\saver_item.ini", item);
    EXPECT_EQ(item.sort_id, 1);
}

TEST(EntryFolderOnDisk, AnEntrysOwnCopyRunsUnlessTheOriginalIsAskedFor) {
    StoreFolder store;
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
    item.use_original_saver = 0;
    item.scr = L"C:\\savers\\Folder.scr";
    test::MakeFolders(item.folder + L"\\Folder.scr");
    EXPECT_EQ(SaverProgramFor(item), item.scr);
}

} // namespace
} // namespace lum
