#include "store/EntryFolder.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using test::StoreFolder;

// What an added entry holds without a lookup is AddEntryTest's.
TEST(EntryFolderRules, TitlesFromSaverNames) {
    const std::pair<const wchar_t*, const wchar_t*> titles[] = {
        {L"C:\\savers\\星.空.scr", L"星.空"}, {L"C:\\my.savers\\noext", L"noext"}, {L"C:\\x\\.scr", L""}};
    for (const auto& [path, title] : titles) EXPECT_EQ(TitleFromSaverPath(path), title) << test::Narrow(path);
}

// Which numbers are taken is seen on disk below.
TEST(EntryFolderRules, AFolderThatCannotBeMadeIsTriedOnce) {
    int tries = 0;
    EXPECT_EQ(ClaimEntryNumber([&tries](int) { ++tries; return FolderAttempt::Impossible; }), -1);
    EXPECT_EQ(tries, 1) << "a missing parent folder is not tried 10,000 times";
}

// Gaps are filled from 00000 up; other names (full-width digits too),
// five-digit names past the range (a year, a postcode) and plain files do not
// confuse the count, and a plain file occupies its number.
TEST(EntryFolderOnDisk, NewFoldersFillGapsFromZeroUp) {
    StoreFolder store;
    LoadCatalog(store.catalog);
    for (const wchar_t* n : {L"00000", L"00001", L"00003", L"0002", L"00002.old", L"10000", L"99999", L"００００２"})
        test::MakeFolders(store.All() + L"\\" + n);
    ASSERT_TRUE(test::WriteBytes(store.All() + L"\\00004", std::string("not a folder")));
    EXPECT_EQ(CreateEntryFolder(store.catalog), store.All() + L"\\00002");
    EXPECT_EQ(CreateEntryFolder(store.catalog), store.All() + L"\\00005");
    EXPECT_TRUE(test::FolderExists(store.All() + L"\\00005"));
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

TEST(EntryFolderOnDisk, AnEntrysOwnCopyRunsUnlessTheOriginalIsAskedFor) {
    StoreFolder store;
    SaverItem item;
    item.folder = store.All() + L"\\00000";
    item.scr = L"C:\\windows\\system32\\Ribbons.scr";
    test::MakeFolders(item.folder);
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
