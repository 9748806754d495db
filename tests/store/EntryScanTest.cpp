#include "store/CategoryList.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using test::StoreFolder;

// The empty start itself is the end-to-end test's first step.
TEST(EntryScan, FirstLoadMakesTheMissingDataFolderAndWritesNoSettings) {
    StoreFolder store;
    store.catalog.settings_path = store.Root() + L"\\Lumenary\\Lumenary.ini";
    LoadCatalog(store.catalog);
    EXPECT_TRUE(test::FolderExists(store.Root() + L"\\Lumenary\\Collection\\all"));
    for (const std::wstring& name : DefaultCategories())
        EXPECT_EQ(name.find(L'/'), std::wstring::npos) << "full-width slashes only";
    EXPECT_FALSE(test::FileExists(store.catalog.settings_path)) << "loading writes no settings";
}

// Without a settings path every folder would be made at the drive's root.
TEST(EntryScan, ACatalogWithoutSettingsPathTouchesNoDrive) {
    if (test::FolderExists(L"\\Collection")) GTEST_SKIP() << "this drive has a \\Collection folder already";
    SaverCatalog catalog;
    LoadCatalog(catalog);
    EXPECT_EQ(CreateEntryFolder(catalog), L"");
    EXPECT_FALSE(test::FolderExists(L"\\Collection"));
}

TEST(EntryScan, FindsEntriesAtAnyDepthByTheirFullNameInAnyCase) {
    StoreFolder store;
    store.WriteEntry(L"00000", L"title=top\r\n");
    store.WriteEntry(L"00003\\old", L"title=deep\r\n");
    store.WriteEntry(L"00004", L"title=upper\r\n", L"SAVER_ITEM.INI");
    store.WriteEntry(L"00005", L"title=backup\r\n", L"saver_item.ini.bak");
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
    EXPECT_GE(store.IndexOf(L"00003\\old"), 0);
    const int upper = store.IndexOf(L"00004");
    ASSERT_GE(upper, 0);
    EXPECT_EQ(store.catalog.entry_files[upper], store.All() + L"\\00004\\SAVER_ITEM.INI")
        << "the name as the file system spells it";
    EXPECT_EQ(store.IndexOf(L"00005"), -1);
    EXPECT_EQ(store.IndexOf(L"00007\\saver_item.ini"), -1);
}

TEST(EntryScan, ReloadForgetsDeletedEntriesAndSaverPathsFollowTheItems) {
    StoreFolder store;
    store.WriteEntry(L"00000", L"title=one\r\nscr=C:\\a.scr\r\n");
    store.WriteEntry(L"00001", L"title=two\r\nscr=C:\\b.scr\r\n");
    LoadCatalog(store.catalog);
    ASSERT_EQ(store.catalog.items.size(), 2u);
    std::vector<std::wstring> paths = {L"C:\\before.scr"};
    CollectSaverPaths(store.catalog, paths);
    EXPECT_EQ(paths, (std::vector<std::wstring>{L"C:\\before.scr", store.catalog.items[0].scr,
                                                store.catalog.items[1].scr}));
    EXPECT_NE(store.catalog.items[0].scr, store.catalog.items[1].scr);

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
