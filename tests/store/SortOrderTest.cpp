#include "store/CategoryList.h"
#include "store/SaverCatalog.h"
#include "store/SortOrder.h"
#include "tests/store/StoreFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// A file's text with one key's value replaced: what a write of that key
// alone must leave behind.
std::vector<unsigned char> WithValue(const std::vector<unsigned char>& bytes, const std::string& line,
                                     const std::string& replacement, bool utf16) {
    auto encode = [utf16](const std::string& text) {
        std::vector<unsigned char> out;
        for (char c : text) {
            out.push_back(static_cast<unsigned char>(c));
            if (utf16) out.push_back(0);
        }
        return out;
    };
    const auto from = encode(line), to = encode(replacement);
    std::vector<unsigned char> result = bytes;
    auto at = std::search(result.begin(), result.end(), from.begin(), from.end());
    EXPECT_NE(at, result.end()) << line;
    if (at == result.end()) return result;
    at = result.erase(at, at + static_cast<std::ptrdiff_t>(from.size()));
    result.insert(at, to.begin(), to.end());
    return result;
}

TEST(SortOrder, SignedPositionsAndEqualOnesKeepDiscoveryOrderInLargeGroups) {
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
    // Positions compare as signed numbers.
    items = {Item(L"x", 3), Item(L"x", -1), Item(L"x", 999999), Item(L"x", -7)};
    EXPECT_EQ(OrderBySortId(Indices(items), items), (std::vector<int32_t>{3, 1, 0, 2}));
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
    SaverCatalog catalog;
    catalog.categories = {L"全て", L"スポーツ", L"Sports", L"スポーツ"};
    const std::pair<const wchar_t*, int> names[] = {
        {L"スポーツ", 1}, {L"Sports", 2}, {L"スポーツ ", -1}, {L"sports", -1}, {L"ｽﾎﾟｰﾂ", -1}, {L"", -1}};
    for (const auto& [name, index] : names) EXPECT_EQ(FindCategory(catalog, name), index) << test::Narrow(name);
}

// The load puts a category's positions 0, 9, 7 in order as 0, 1, 2, and a
// drag of c before b swaps them back. Each time only the "sort_id" of the
// entries that moved is written: every other byte and every file time stays,
// in UTF-16 and in an older program's ANSI file, and a note longer than a
// load keeps is not cut short.
TEST(SortOrderOnDisk, OnlyTheSortIdOfMovedEntriesIsWritten) {
    StoreFolder store;
    const std::wstring longNote(5000, L'長');
    const std::vector<std::wstring> paths = {
        store.WriteEntry(L"00000", L"sort_id=0\r\ncategory=映画\r\ntitle=a\r\n"),
        store.WriteEntry(L"00001", L"sort_id=9\r\ncategory=映画\r\ntitle=c\r\nnote=" + longNote + L"\r\n"),
        store.WriteEntry(L"00002", L"sort_id=7\r\ncategory=映画\r\ntitle=b\r\n"),
        // Entries of the all-category are not positioned.
        store.WriteEntry(L"00003", L"sort_id=42\r\ncategory=全て\r\ntitle=all\r\n"),
        store.All() + L"\\00004\\saver_item.ini"};
    // Alone in its category, which the list lacks: 3 becomes 0.
    ASSERT_TRUE(test::MakeFolders(store.All() + L"\\00004"));
    ASSERT_TRUE(test::WriteBytes(paths[4], std::string("[SAVER_ITEM]\r\nsort_id=3\r\ncategory=\x89\x66\x89\xe6\r\n"
                                                     "title=d\r\n")));
    std::vector<std::vector<unsigned char>> before;
    for (const auto& path : paths) {
        test::AgeFile(path);
        before.push_back(test::ReadBytes(path));
    }
    const FILETIME aged = test::LastWriteTime(paths[0]);

    LoadCatalog(store.catalog);
    const int movies = FindCategory(store.catalog, L"映画");
    ASSERT_EQ(movies, 4);
    EXPECT_EQ(store.TitlesOf(movies), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(test::ReadBytes(paths[0]), before[0]);
    EXPECT_TRUE(test::SameTime(test::LastWriteTime(paths[0]), aged));
    EXPECT_EQ(test::ReadBytes(paths[1]), WithValue(before[1], "sort_id=9", "sort_id=2", true));
    EXPECT_EQ(test::ReadBytes(paths[2]), WithValue(before[2], "sort_id=7", "sort_id=1", true));
    EXPECT_EQ(test::ReadBytes(paths[3]), before[3]);
    EXPECT_EQ(test::ReadBytes(paths[4]), WithValue(before[4], "sort_id=3", "sort_id=0", false));

    // An ordered collection reloads without writing anything.
    before.clear();
    for (const auto& path : paths) {
        test::AgeFile(path);
        before.push_back(test::ReadBytes(path));
    }
    LoadItems(store.catalog);
    BuildGroups(store.catalog);
    for (const auto& path : paths)
        EXPECT_TRUE(test::SameTime(test::LastWriteTime(path), aged)) << test::Narrow(path);

    auto list = store.catalog.groups[static_cast<size_t>(movies)].items;
    std::swap(list[1], list[2]);
    RenumberCategory(store.catalog, list);
    EXPECT_EQ(test::ReadBytes(paths[0]), before[0]);
    EXPECT_TRUE(test::SameTime(test::LastWriteTime(paths[0]), aged)) << "an entry that kept its place is not written";
    EXPECT_EQ(test::ReadBytes(paths[1]), WithValue(before[1], "sort_id=2", "sort_id=1", true));
    EXPECT_EQ(test::ReadBytes(paths[2]), WithValue(before[2], "sort_id=1", "sort_id=2", true));
    // Indices that are not in the catalogue are passed over.
    RenumberCategory(store.catalog, {-1, 99});
    EXPECT_FALSE(test::FolderExists(store.All() + L"\\00005"));
}

} // namespace
} // namespace lum
