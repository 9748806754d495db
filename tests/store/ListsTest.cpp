// The category list and the address history: their counted sections in the
// settings file and the history's update rule.
#include "store/AddressHistory.h"
#include "store/CategoryList.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using test::StoreFolder;
using Names = std::vector<std::wstring>;

Names Addresses(int from, int to) {
    Names list;
    for (int i = from; i <= to; ++i) list.push_back(L"http://site" + std::to_wstring(i) + L"/");
    return list;
}

SaverCatalog LoadedFrom(const std::wstring& settingsPath) {
    SaverCatalog loaded;
    loaded.settings_path = settingsPath;
    LoadCategories(loaded);
    LoadAddressHistory(loaded);
    return loaded;
}

TEST(CategoryListOnDisk, WhatTheSettingsHoldDecidesTheLists) {
    struct Case {
        const wchar_t* settings;
        Names categories;  // empty: the default list
        size_t addresses;
    };
    const std::vector<Case> cases = {
        {L"[CATEGORY_ITEM]\r\ncount=3\r\nitem00=全部\r\nitem01=その他\r\nitem02=宇宙\r\nitem03=d\r\nitem04=e\r\n",
         {L"全部", L"その他", L"宇宙"}, 0},
        {L"[CATEGORY_ITEM]\r\ncount=4\r\nitem00=a\r\nitem01=b\r\nitem03=d\r\n", {L"a", L"b", L"", L"d"}, 0},
        {L"[CATEGORY_ITEM]\r\ncount=-5\r\nitem00=a\r\n[ADDRESS_ITEM]\r\ncount=-1\r\nitem00=x\r\n", {}, 0},
        {L"[ADDRESS_ITEM]\r\ncount=2000000000\r\nitem00=http://x/\r\n", {}, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::Narrow(c.settings));
        StoreFolder store;
        ASSERT_TRUE(test::WriteUtf16File(store.catalog.settings_path, c.settings));
        const SaverCatalog loaded = LoadedFrom(store.catalog.settings_path);
        EXPECT_EQ(loaded.categories, c.categories.empty() ? DefaultCategories() : c.categories);
        EXPECT_EQ(loaded.address_history.size(), c.addresses);
    }
}

TEST(CategoryListOnDisk, OddCountsStillGiveUsableGroups) {
    StoreFolder store;
    // One stored category is completed, so that group 1 exists for strangers.
    ASSERT_TRUE(test::WriteUtf16File(store.catalog.settings_path, L"[CATEGORY_ITEM]\r\ncount=1\r\nitem00=全部\r\n"));
    store.WriteEntry(L"00000", L"category=どこにもない\r\ntitle=t\r\n");
    LoadCatalog(store.catalog);
    ASSERT_EQ(store.catalog.categories, (Names{L"全部", L"未設定"}));
    EXPECT_EQ(store.catalog.groups.at(1).items, std::vector<int32_t>{0});
    EXPECT_EQ(store.catalog.groups.at(0).items, std::vector<int32_t>{0});

    // An absurd count reads at most a hundred names.
    ASSERT_TRUE(test::WriteUtf16File(store.catalog.settings_path, L"[CATEGORY_ITEM]\r\ncount=2000000000\r\n"));
    LoadCatalog(store.catalog);
    EXPECT_EQ(store.catalog.groups.size(), static_cast<size_t>(kMaxCategories));
}

TEST(CategoryListOnDisk, SaveKeepsJapaneseAndShrinkingLeavesKeysTheLoadIgnores) {
    StoreFolder store;
    store.catalog.categories = DefaultCategories();
    store.catalog.categories.push_back(L"宇宙／星空\r\n改行");
    SaveCategories(store.catalog);
    Names expected = DefaultCategories();
    expected.push_back(L"宇宙／星空 改行");
    EXPECT_EQ(LoadedFrom(store.catalog.settings_path).categories, expected) << "code page " << ::GetACP();

    store.catalog.categories.resize(12);
    SaveCategories(store.catalog);
    const std::wstring text = test::ReadTextFile(store.catalog.settings_path);
    EXPECT_NE(text.find(L"count=12"), std::wstring::npos);
    EXPECT_NE(text.find(L"item14="), std::wstring::npos) << "the longer list's keys stay";
    EXPECT_EQ(LoadedFrom(store.catalog.settings_path).categories, store.catalog.categories);
}

TEST(AddressHistoryRule, NewestFirstNoRepeatsAtMostThirty) {
    EXPECT_EQ(UpdatedAddressHistory({L"b", L"a", L"c", L"a"}, L"a"), (Names{L"a", L"b", L"c"}));
    EXPECT_EQ(UpdatedAddressHistory({L"A"}, L"a"), (Names{L"a", L"A"})) << "exact match only";
    const Names thirty = Addresses(1, 30);
    Names expected = Addresses(1, 29);
    expected.insert(expected.begin(), L"new");
    EXPECT_EQ(UpdatedAddressHistory(thirty, L"new"), expected) << "the oldest is dropped";
    expected[0] = thirty[29];
    EXPECT_EQ(UpdatedAddressHistory(thirty, thirty[29]), expected) << "one of the thirty moves to the front";
}

// The thirty kept are the rule's, above; the file keeps Japanese and turns a
// break into a blank that cannot forge a key.
TEST(AddressHistoryOnDisk, FileKeepsJapaneseAndBreaks) {
    StoreFolder store;
    AddAddress(store.catalog, nullptr, L"http://例え.テスト/スクリーンセーバー");
    AddAddress(store.catalog, nullptr, L"http://b/\r\nitem00=http://evil/");
    SaverCatalog loaded = LoadedFrom(store.catalog.settings_path);
    EXPECT_EQ(loaded.address_history, (Names{L"http://b/ item00=http://evil/", L"http://例え.テスト/スクリーンセーバー"}));
    // The address with its break, entered again after a reload, is recognised.
    AddAddress(loaded, nullptr, L"http://b/\r\nitem00=http://evil/");
    EXPECT_EQ(loaded.address_history.size(), 2u);
}

} // namespace
} // namespace lum
