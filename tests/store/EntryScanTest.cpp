#include "store/CategoryList.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using test::StoreFolder;

TEST(EntryScan, FirstLoadMakesTheFoldersAndAnEmptyCollection) {
    StoreFolder store;
    // The data folder itself is missing too: the settings file lies in it.
    store.catalog.settings_path = store.Root() + L"\\Lumenary\\Lumenary.ini";
    LoadCatalog(store.catalog);
    EXPECT_TRUE(test::FolderExists(store.Root() + L"\\Lumenary\\Collection\\all"));
    EXPECT_TRUE(store.catalog.items.empty());
    EXPECT_TRUE(store.catalog.entry_files.empty());
    EXPECT_TRUE(store.catalog.address_history.empty());
    ASSERT_EQ(store.catalog.groups.size(), 14u);
    EXPECT_EQ(store.catalog.groups[1].name, L"未設定");
    for (size_t g = 0; g < store.catalog.groups.size(); ++g) {
        EXPECT_EQ(store.catalog.groups[g].name, DefaultCategories()[g]);
        EXPECT_EQ(store.catalog.groups[g].name.find(L'/'), std::wstring::npos) << "full-width slashes only";
        EXPECT_TRUE(store.catalog.groups[g].items.empty());
    }
    EXPECT_FALSE(test::FileExists(store.catalog.settings_path)) << "loading writes no settings";
}

// Without a settings path every folder would be made at the drive's root.
TEST(EntryScan, ACatalogWithoutSettingsPathTouchesNoDrive) {
    if (test::FolderExists(L"\\Collection")) GTEST_SKIP() << "this drive has a \\Collection folder already";
    SaverCatalog catalog;
    LoadCatalog(catalog);
    EXPECT_FALSE(test::FolderExists(L"\\Collection"));
    EXPECT_EQ(catalog.categories, DefaultCategories());
    EXPECT_TRUE(catalog.items.empty());
    EXPECT_EQ(CreateEntryFolder(catalog), L"");
    EXPECT_FALSE(test::FolderExists(L"\\Collection"));
}

TEST(EntryScan, FindsEntriesAtAnyDepthByTheirFullNameInAnyCase) {
    StoreFolder store;
    store.WriteEntry(L"00000", L"title=top\r\n");
    store.WriteEntry(L"00003\\old", L"title=deep\r\n");
    store.WriteEntry(L"00004", L"title=upper\r\n", L"SAVER_ITEM.INI");
    store.WriteEntry(L"00005", L"title=backup\r\n", L"saver_item.ini.bak");
    store.WriteEntry(L"00008", L"title=cut short\r\n", L"saver_item.in");
    test::MakeFolders(store.All() + L"\\00006\\empty");
    // A folder that merely has the file's name is searched, not taken.
    test::MakeFolders(store.All() + L"\\00007\\saver_item.ini");
    LoadCatalog(store.catalog);

    ASSERT_EQ(store.catalog.items.size(), 3u);
    ASSERT_EQ(store.catalog.entry_files.size(), 3u);
    for (size_t i = 0; i < store.catalog.items.size(); ++i) {
        const auto& file = store.catalog.entry_files[i];
        EXPECT_EQ(store.catalog.items[i].folder, file.substr(0, file.rfind(L'\\')))
            << "item " << i << " was read from entry file " << i;
    }
    const int deep = store.IndexOf(L"00003\\old");
    ASSERT_GE(deep, 0);
    EXPECT_EQ(store.catalog.items[deep].title, L"deep");
    EXPECT_EQ(store.catalog.items[deep].image, store.All() + L"\\00003\\old\\image.png");
    const int upper = store.IndexOf(L"00004");
    ASSERT_GE(upper, 0);
    EXPECT_EQ(store.catalog.entry_files[upper], store.All() + L"\\00004\\SAVER_ITEM.INI")
        << "the name as the file system spells it";
    EXPECT_EQ(store.IndexOf(L"00005"), -1);
    EXPECT_EQ(store.IndexOf(L"00007\\saver_item.ini"), -1);
}

TEST(EntryScan, ASubFolderIsScannedBeforeItsParentsNextEntry) {
    StoreFolder store;
    store.WriteEntry(L"A", L"title=a\r\n");
    store.WriteEntry(L"A\\x", L"title=ax\r\n");
    store.WriteEntry(L"A\\x\\y", L"title=axy\r\n");
    store.WriteEntry(L"B", L"title=b\r\n");
    store.WriteEntry(L"C", L"title=c\r\n");
    std::vector<std::wstring> files;
    ScanEntryFiles(store.All(), files);
    ASSERT_EQ(files.size(), 5u);
    // Whatever order the file system lists A, B and C in, A's three files
    // come one after another.
    std::vector<size_t> inA;
    for (size_t i = 0; i < files.size(); ++i)
        if (files[i].rfind(store.All() + L"\\A\\", 0) == 0) inA.push_back(i);
    ASSERT_EQ(inA.size(), 3u);
    EXPECT_EQ(inA[2] - inA[0], 2u);
}

TEST(EntryScan, ReloadForgetsDeletedEntriesAndSaverPathsFollowTheItems) {
    StoreFolder store;
    store.WriteEntry(L"00000", L"title=one\r\nscr=C:\\a.scr\r\n");
    store.WriteEntry(L"00001", L"title=two\r\nscr=C:\\b.scr\r\n");
    LoadCatalog(store.catalog);
    std::vector<std::wstring> paths = {L"C:\\before.scr"};
    CollectSaverPaths(store.catalog, paths);
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(paths[1], store.catalog.items[0].scr);
    EXPECT_EQ(paths[2], store.catalog.items[1].scr);
    EXPECT_NE(paths[1], paths[2]);

    test::RemoveTree(store.All() + L"\\00000");
    LoadItems(store.catalog);
    BuildGroups(store.catalog);
    ASSERT_EQ(store.catalog.items.size(), 1u);
    EXPECT_EQ(store.catalog.entry_files.size(), 1u);
    EXPECT_EQ(store.catalog.items[0].title, L"two");
    EXPECT_EQ(store.catalog.groups[0].items, std::vector<int32_t>{0});
}

} // namespace
} // namespace lum
