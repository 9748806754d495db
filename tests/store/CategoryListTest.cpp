#include "store/CategoryList.h"
#include "store/CountedList.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using test::StoreFolder;

void WriteSettings(const StoreFolder& store, const std::wstring& text) {
    ASSERT_TRUE(test::WriteUtf16File(store.catalog.settings_path, text));
}

TEST(CountedList, KeysAndUsableCounts) {
    EXPECT_EQ(ListItemKey(0), L"item00");
    EXPECT_EQ(ListItemKey(7), L"item07");
    EXPECT_EQ(ListItemKey(29), L"item29");
    EXPECT_EQ(ListItemKey(99), L"item99");
    EXPECT_EQ(ListItemKey(100), L"item100");
    EXPECT_EQ(UsableCount(3, 100), 3);
    EXPECT_EQ(UsableCount(-4, 100), 0);
    EXPECT_EQ(UsableCount(2000000000, 100), 100);
    EXPECT_EQ(UsableCount(31, 30), 30);
}

TEST(CategoryList, DefaultListHasFourteenNamesWithFullWidthSlashes) {
    const auto& list = DefaultCategories();
    ASSERT_EQ(list.size(), 14u);
    EXPECT_EQ(list[0], L"全て");
    EXPECT_EQ(list[1], L"未設定");
    EXPECT_EQ(list[3], L"キャラクター\xFF0F" L"アニメ");
    for (const auto& name : list) EXPECT_EQ(name.find(L'/'), std::wstring::npos);
}

TEST(CategoryList, StoredListsShorterThanTwoAreCompleted) {
    EXPECT_EQ(CategoriesFromStored(0, {L"ignored"}), DefaultCategories());
    EXPECT_EQ(CategoriesFromStored(-3, {}), DefaultCategories());
    EXPECT_EQ(CategoriesFromStored(1, {L"みんな"}), (std::vector<std::wstring>{L"みんな", L"未設定"}));
    EXPECT_EQ(CategoriesFromStored(2, {L"a", L"b"}), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(CategoriesFromStored(5, {}), (std::vector<std::wstring>{L"全て", L"未設定"}));
}

TEST(CategoryListOnDisk, NoSettingsFileGivesTheDefaultWithoutWriting) {
    StoreFolder store;
    LoadCategories(store.catalog);
    EXPECT_EQ(store.catalog.categories, DefaultCategories());
    EXPECT_FALSE(test::FileExists(store.catalog.settings_path));

    // A settings file without the section, and one with count 0 but items.
    WriteSettings(store, L"[SAVER_SETTING]\r\npreview_hide=1\r\n");
    LoadCategories(store.catalog);
    EXPECT_EQ(store.catalog.categories, DefaultCategories());
    WriteSettings(store, L"[CATEGORY_ITEM]\r\ncount=0\r\nitem00=x\r\nitem01=y\r\n");
    LoadCategories(store.catalog);
    EXPECT_EQ(store.catalog.categories, DefaultCategories());
    EXPECT_EQ(test::ReadTextFile(store.catalog.settings_path).find(L"item02"), std::wstring::npos);
}

TEST(CategoryListOnDisk, CountDecidesHowManyAreRead) {
    StoreFolder store;
    WriteSettings(store, L"[CATEGORY_ITEM]\r\ncount=3\r\nitem00=全部\r\nitem01=その他\r\nitem02=宇宙\r\n"
                         L"item03=d\r\nitem04=e\r\nitem05=f\r\n");
    LoadCategories(store.catalog);
    EXPECT_EQ(store.catalog.categories, (std::vector<std::wstring>{L"全部", L"その他", L"宇宙"}));

    // Missing keys below the count become empty names.
    WriteSettings(store, L"[CATEGORY_ITEM]\r\ncount=4\r\nitem00=a\r\nitem01=b\r\nitem03=d\r\n");
    LoadCategories(store.catalog);
    EXPECT_EQ(store.catalog.categories, (std::vector<std::wstring>{L"a", L"b", L"", L"d"}));
}

TEST(CategoryListOnDisk, OneStoredCategoryIsCompletedSoGroupOneExists) {
    StoreFolder store;
    WriteSettings(store, L"[CATEGORY_ITEM]\r\ncount=1\r\nitem00=全部\r\n");
    store.WriteEntry(L"00000", L"category=どこにもない\r\ntitle=t\r\n");
    LoadCatalog(store.catalog);
    ASSERT_EQ(store.catalog.categories, (std::vector<std::wstring>{L"全部", L"未設定"}));
    ASSERT_EQ(store.catalog.groups.size(), 2u);
    EXPECT_EQ(store.catalog.groups[1].items, std::vector<int32_t>{0});
    EXPECT_EQ(store.catalog.groups[0].items, std::vector<int32_t>{0});
}

TEST(CategoryListOnDisk, AbsurdOrNegativeCountsReadWithinTheLimits) {
    StoreFolder store;
    WriteSettings(store, L"[CATEGORY_ITEM]\r\ncount=2000000000\r\nitem00=a\r\nitem01=b\r\n"
                         L"[ADDRESS_ITEM]\r\ncount=2000000000\r\nitem00=http://x/\r\n");
    LoadCatalog(store.catalog);
    EXPECT_EQ(store.catalog.categories.size(), static_cast<size_t>(kMaxCategories));
    EXPECT_EQ(store.catalog.categories[0], L"a");
    EXPECT_EQ(store.catalog.categories[2], L"");
    EXPECT_EQ(store.catalog.groups.size(), 100u);
    EXPECT_EQ(store.catalog.address_history.size(), 30u);
    EXPECT_EQ(store.catalog.address_history[0], L"http://x/");

    WriteSettings(store, L"[CATEGORY_ITEM]\r\ncount=-5\r\nitem00=a\r\n[ADDRESS_ITEM]\r\ncount=-1\r\nitem00=x\r\n");
    LoadCatalog(store.catalog);
    EXPECT_EQ(store.catalog.categories, DefaultCategories());
    EXPECT_TRUE(store.catalog.address_history.empty());
}

TEST(CategoryListOnDisk, SaveCreatesAUnicodeFileThatLoadsBackIntact) {
    StoreFolder store;
    store.catalog.categories = DefaultCategories();
    store.catalog.categories.push_back(L"宇宙／星空\r\n改行");
    SaveCategories(store.catalog);
    const auto bytes = test::ReadBytes(store.catalog.settings_path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);

    SaverCatalog loaded;
    loaded.settings_path = store.catalog.settings_path;
    LoadCategories(loaded);
    ASSERT_EQ(loaded.categories.size(), 15u) << "code page " << ::GetACP();
    for (size_t i = 0; i < 14; ++i) EXPECT_EQ(loaded.categories[i], DefaultCategories()[i]) << i;
    EXPECT_EQ(loaded.categories[14], L"宇宙／星空 改行");
}

TEST(CategoryListOnDisk, ShrinkingLeavesOldKeysThatTheNextLoadIgnores) {
    StoreFolder store;
    for (int i = 0; i < 12; ++i) store.catalog.categories.push_back(L"cat" + std::to_wstring(i));
    SaveCategories(store.catalog);
    store.catalog.categories.resize(10);
    SaveCategories(store.catalog);

    const std::wstring text = test::ReadTextFile(store.catalog.settings_path);
    EXPECT_NE(text.find(L"item10=cat10"), std::wstring::npos);
    EXPECT_NE(text.find(L"item11=cat11"), std::wstring::npos);
    EXPECT_NE(text.find(L"count=10"), std::wstring::npos);
    SaverCatalog loaded;
    loaded.settings_path = store.catalog.settings_path;
    LoadCategories(loaded);
    EXPECT_EQ(loaded.categories, store.catalog.categories);
}

} // namespace
} // namespace lum
