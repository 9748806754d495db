#include "store/CategoryList.h"
#include "store/EntryFolder.h"
#include "store/SaverCatalog.h"
#include "store/SortOrder.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace lum {
namespace {

using test::StoreFolder;

SaverItem Item(const std::wstring& category, int32_t sortId) {
    SaverItem item;
    item.category = category;
    item.sort_id = sortId;
    return item;
}

std::vector<int32_t> Indices(const std::vector<SaverItem>& items) {
    std::vector<int32_t> all(items.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int32_t>(i);
    return all;
}

TEST(SortOrder, EqualPositionsKeepDiscoveryOrderInLargeGroups) {
    // Large enough that an unstable sort reorders ties.
    std::vector<SaverItem> items;
    for (int i = 0; i < 300; ++i) items.push_back(Item(L"x", i % 3 == 0 ? 999999 : 5));
    const auto ordered = OrderBySortId(Indices(items), items);
    ASSERT_EQ(ordered.size(), items.size());
    for (size_t p = 1; p < ordered.size(); ++p) {
        const auto& before = items[static_cast<size_t>(ordered[p - 1])];
        const auto& after = items[static_cast<size_t>(ordered[p])];
        ASSERT_LE(before.sort_id, after.sort_id);
        if (before.sort_id == after.sort_id) {
            ASSERT_LT(ordered[p - 1], ordered[p]) << "at position " << p;
        }
    }
}

TEST(SortOrder, PositionsCompareAsSignedNumbers) {
    std::vector<SaverItem> items = {Item(L"x", 3), Item(L"x", -1), Item(L"x", 999999), Item(L"x", -7)};
    EXPECT_EQ(OrderBySortId(Indices(items), items), (std::vector<int32_t>{3, 1, 0, 2}));
}

TEST(SortOrder, NormalisingReportsOnlyTheMovedItems) {
    const std::vector<std::wstring> categories = {L"全て", L"未設定", L"スポーツ"};
    std::vector<SaverItem> items = {Item(L"スポーツ", 0), Item(L"スポーツ", 9), Item(L"未設定", 0),
                                    Item(L"スポーツ", 7), Item(L"全て", 42)};
    GroupPlan plan = AssignGroups(categories, items);
    const auto changed = NormalizeGroups(plan.groups, items);
    EXPECT_EQ(plan.groups[2].items, (std::vector<int32_t>{0, 3, 1}));
    EXPECT_EQ(changed, (std::vector<int32_t>{3, 1}));
    EXPECT_EQ(items[3].sort_id, 1);
    EXPECT_EQ(items[1].sort_id, 2);
    EXPECT_EQ(items[4].sort_id, 42) << "entries of the all-category are not positioned";
}

TEST(SortOrder, GroupZeroListsOwnCategoryFirstThenGroupsInCategoryOrder) {
    const std::vector<std::wstring> categories = {L"全て", L"未設定", L"A", L"B"};
    std::vector<SaverItem> items = {Item(L"B", 0),   Item(L"全て", 0), Item(L"趣味", 0), Item(L"A", 1),
                                    Item(L"A", 0),   Item(L"全て", 0), Item(L"未設定", 1)};
    GroupPlan plan = AssignGroups(categories, items);
    EXPECT_EQ(plan.all_category_items, (std::vector<int32_t>{1, 5}));
    EXPECT_EQ(plan.groups[1].items, (std::vector<int32_t>{2, 6})) << "unknown category joins group 1";
    NormalizeGroups(plan.groups, items);
    EXPECT_EQ(AllEntriesOrder(plan.all_category_items, plan.groups), (std::vector<int32_t>{1, 5, 2, 6, 4, 3, 0}));
}

TEST(SortOrder, ShortCategoryListsDoNotBreakGrouping) {
    std::vector<SaverItem> items = {Item(L"x", 0), Item(L"only", 0)};
    EXPECT_TRUE(AssignGroups({}, items).groups.empty());
    GroupPlan plan = AssignGroups({L"only"}, items);
    ASSERT_EQ(plan.groups.size(), 1u);
    EXPECT_EQ(plan.groups[0].items.size(), 2u);
    EXPECT_EQ(AllEntriesOrder(plan.all_category_items, plan.groups), (std::vector<int32_t>{0, 1}));
}

TEST(SortOrder, FindCategoryMatchesEveryCodeUnit) {
    const std::vector<std::wstring> categories = {L"全て", L"スポーツ", L"Sports", L"スポーツ"};
    EXPECT_EQ(FindCategoryIn(categories, L"スポーツ"), 1) << "the first of equal names";
    EXPECT_EQ(FindCategoryIn(categories, L"スポーツ "), -1);
    EXPECT_EQ(FindCategoryIn(categories, L"sports"), -1);
    EXPECT_EQ(FindCategoryIn(categories, L"ｽﾎﾟｰﾂ"), -1);
    EXPECT_EQ(FindCategoryIn(categories, L""), -1);
    SaverCatalog catalog;
    catalog.categories = categories;
    EXPECT_EQ(FindCategory(catalog, L"Sports"), 2);
}

// The example of a reordered category: 0, 9, 7 become 0, 1, 2, and only the
// two files whose position changed are written.
TEST(SortOrderOnDisk, LoadRewritesOnlyTheEntriesWhosePositionChanged) {
    StoreFolder store;
    const auto a = store.WriteEntry(L"00000", L"sort_id=0\r\ncategory=スポーツ\r\ntitle=zero\r\n");
    const auto b = store.WriteEntry(L"00001", L"sort_id=9\r\ncategory=スポーツ\r\ntitle=nine\r\n");
    const auto c = store.WriteEntry(L"00002", L"sort_id=7\r\ncategory=スポーツ\r\ntitle=seven\r\n");
    for (const auto& path : {a, b, c}) test::AgeFile(path);
    const auto untouched = test::ReadBytes(a);
    const FILETIME aged = test::LastWriteTime(a);

    LoadCatalog(store.catalog);
    const int sports = FindCategory(store.catalog, L"スポーツ");
    ASSERT_EQ(sports, 7);
    EXPECT_EQ(store.TitlesOf(sports), (std::vector<std::wstring>{L"zero", L"seven", L"nine"}));
    EXPECT_EQ(test::ReadBytes(a), untouched);
    EXPECT_TRUE(test::SameTime(test::LastWriteTime(a), aged));
    EXPECT_NE(test::ReadTextFile(c).find(L"sort_id=1"), std::wstring::npos);
    EXPECT_NE(test::ReadTextFile(b).find(L"sort_id=2"), std::wstring::npos);
    EXPECT_NE(test::ReadTextFile(b).find(L"title=nine"), std::wstring::npos);
    EXPECT_FALSE(test::SameTime(test::LastWriteTime(b), aged));

    // An ordered collection reloads without writing anything.
    for (const auto& path : {a, b, c}) test::AgeFile(path);
    LoadItems(store.catalog);
    BuildGroups(store.catalog);
    for (const auto& path : {a, b, c})
        EXPECT_TRUE(test::SameTime(test::LastWriteTime(path), aged)) << test::Narrow(path);
    EXPECT_EQ(store.TitlesOf(sports), (std::vector<std::wstring>{L"zero", L"seven", L"nine"}));
}

TEST(SortOrderOnDisk, MissingPositionGoesFirstAndNewEntriesLast) {
    StoreFolder store;
    store.WriteEntry(L"00000", L"sort_id=0\r\ncategory=動物\r\ntitle=cat\r\n");
    store.WriteEntry(L"00001", L"sort_id=1\r\ncategory=動物\r\ntitle=dog\r\n");
    const auto noPos = store.WriteEntry(L"00002", L"category=動物\r\ntitle=bird\r\n");
    store.WriteEntry(L"00003", L"sort_id=999999\r\ncategory=動物\r\ntitle=newA\r\n");
    store.WriteEntry(L"00004", L"sort_id=999999\r\ncategory=動物\r\ntitle=newB\r\n");
    LoadCatalog(store.catalog);
    const int animals = FindCategory(store.catalog, L"動物");
    const auto titles = store.TitlesOf(animals);
    ASSERT_EQ(titles.size(), 5u);
    EXPECT_EQ(titles[0], L"bird");
    EXPECT_EQ(titles[1], L"cat");
    EXPECT_EQ(titles[2], L"dog");
    // The two new ones keep the order in which their folders were found.
    const int newA = store.IndexOf(L"00003");
    const int newB = store.IndexOf(L"00004");
    EXPECT_EQ(titles[3], newA < newB ? L"newA" : L"newB");
    EXPECT_EQ(titles[4], newA < newB ? L"newB" : L"newA");

    SaverItem reread;
    ReadItem(noPos, reread);
    EXPECT_EQ(reread.sort_id, 0) << "the file now holds its position";
    for (size_t p = 0; p < store.catalog.groups[animals].items.size(); ++p)
        EXPECT_EQ(store.catalog.items[store.catalog.groups[animals].items[p]].sort_id, static_cast<int32_t>(p));
}

TEST(SortOrderOnDisk, UnknownCategoryIsShownUnsortedAndKeptInTheFile) {
    StoreFolder store;
    const auto hobby = store.WriteEntry(L"00000", L"sort_id=5\r\ncategory=趣味\r\ntitle=h\r\n");
    store.WriteEntry(L"00001", L"sort_id=0\r\ncategory=未設定\r\ntitle=u\r\n");
    LoadCatalog(store.catalog);
    const int h = store.IndexOf(L"00000");
    const auto& unsorted = store.catalog.groups[1].items;
    EXPECT_NE(std::find(unsorted.begin(), unsorted.end(), h), unsorted.end());
    const auto& all = store.catalog.groups[0].items;
    EXPECT_EQ(std::count(all.begin(), all.end(), h), 1);
    for (size_t g = 2; g < store.catalog.groups.size(); ++g)
        EXPECT_TRUE(store.catalog.groups[g].items.empty());
    // It was repositioned (5 -> 1) and so rewritten, with its own category.
    SaverItem reread;
    ReadItem(hobby, reread);
    EXPECT_EQ(reread.sort_id, 1);
    EXPECT_EQ(reread.category, L"趣味");
}

TEST(SortOrderOnDisk, EveryEntryIsInOneCategoryGroupAndOnceInGroupZero) {
    StoreFolder store;
    const wchar_t* categories[] = {L"全て", L"未設定", L"映画", L"動物", L"謎", L"アート"};
    for (int i = 0; i < 40; ++i) {
        store.WriteEntry(EntryFolderPath(L"", i), L"sort_id=" + std::to_wstring((i * 7) % 5) + L"\r\ncategory=" +
                                   categories[i % 6] + L"\r\n");
    }
    LoadCatalog(store.catalog);
    const auto& catalog = store.catalog;
    ASSERT_EQ(catalog.items.size(), 40u);
    ASSERT_EQ(catalog.groups.size(), catalog.categories.size());
    std::multiset<int32_t> inGroupZero(catalog.groups[0].items.begin(), catalog.groups[0].items.end());
    for (int32_t i = 0; i < 40; ++i) {
        EXPECT_EQ(inGroupZero.count(i), 1u) << i;
        int seen = 0;
        for (size_t g = 1; g < catalog.groups.size(); ++g)
            seen += static_cast<int>(std::count(catalog.groups[g].items.begin(), catalog.groups[g].items.end(), i));
        EXPECT_EQ(seen, catalog.items[i].category == L"全て" ? 0 : 1) << i;
    }
    // Group 0 begins with the all-category's entries in discovery order.
    const size_t own = static_cast<size_t>(
        std::count_if(catalog.items.begin(), catalog.items.end(), [](const SaverItem& it) { return it.category == L"全て"; }));
    ASSERT_GT(own, 1u);
    for (size_t p = 0; p < own; ++p) {
        EXPECT_EQ(catalog.items[catalog.groups[0].items[p]].category, L"全て");
        if (p > 0) {
            EXPECT_LT(catalog.groups[0].items[p - 1], catalog.groups[0].items[p]);
        }
    }
}

TEST(SortOrderOnDisk, RenumberWritesEveryListedEntryInFull) {
    StoreFolder store;
    store.WriteEntry(L"00000", L"sort_id=0\r\ncategory=映画\r\ntitle=a\r\n");
    store.WriteEntry(L"00001", L"sort_id=1\r\ncategory=映画\r\ntitle=b\r\n");
    store.WriteEntry(L"00002", L"sort_id=2\r\ncategory=映画\r\ntitle=c\r\n");
    LoadCatalog(store.catalog);
    const int movies = FindCategory(store.catalog, L"映画");
    auto list = store.catalog.groups[movies].items;
    ASSERT_EQ(store.TitlesOf(movies), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    // The user dragged c to the front.
    std::rotate(list.begin(), list.end() - 1, list.end());
    RenumberCategory(store.catalog, list);

    LoadItems(store.catalog);
    BuildGroups(store.catalog);
    EXPECT_EQ(store.TitlesOf(movies), (std::vector<std::wstring>{L"c", L"a", L"b"}));
    // Unchanged or not, each file was written with all eight keys.
    const std::wstring text = test::ReadTextFile(store.All() + L"\\00000\\saver_item.ini");
    for (const wchar_t* key : {L"sort_id=1", L"note=", L"web=", L"scr=", L"large_image=0", L"use_original_saver=0"})
        EXPECT_NE(text.find(key), std::wstring::npos) << test::Narrow(key);
    // Indices that are not in the catalogue are passed over.
    RenumberCategory(store.catalog, {-1, 99});
    EXPECT_FALSE(test::FolderExists(store.All() + L"\\00003"));
}

} // namespace
} // namespace lum
