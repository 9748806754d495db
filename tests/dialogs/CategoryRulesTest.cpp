// The category rules without windows: the combo's exact match, where a drag
// lands and where its mark shows, and the merging of duplicate names.
#include "dialogs/CategoryRules.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

const std::vector<std::wstring> kList = {L"全て", L"未設定", L"スポーツカー", L"スポーツ", L"Sports"};

TEST(CategoryRules, TheComboOffersTheExactCategoryOrKeepsTheStoredOne) {
    struct Case {
        const wchar_t* stored;
        int selected;
        size_t count;
        const wchar_t* first;
    };
    const Case cases[] = {
        {L"スポーツ", 2, 4, L"未設定"},   // not the longer name that starts with it
        {L"Sports", 3, 4, L"未設定"},
        {L"sports", 0, 5, L"sports"},     // another letter case is another category
        {L"消えた", 0, 5, L"消えた"},     // deleted from the list: shown as it is
        {L"全て", 0, 5, L"全て"},         // the category for all entries is never offered
    };
    for (const Case& c : cases) {
        const CategoryChoice choice = OfferCategories(kList, c.stored);
        EXPECT_EQ(choice.selected, c.selected) << c.selected;
        ASSERT_EQ(choice.items.size(), c.count);
        EXPECT_EQ(choice.items.front(), c.first);
        EXPECT_EQ(choice.items[static_cast<size_t>(choice.selected)], c.stored);
    }
}

TEST(CategoryRules, DragsMoveOnlyMovableCategoriesAndMarkWhereTheyLand) {
    struct Case {
        int from, onto, drop;
        int over, count, mark;
    };
    const Case cases[] = {
        {5, 2, 2, 2, 8, 2},     // upwards: before the item dropped on
        {2, 5, 5, 5, 8, 6},     // downwards: after it
        {3, 1, -1, 1, 8, -1},   // never above the fixed two
        {1, 4, -1, 7, 8, -1},   // a fixed one does not move; the blank item shows no mark
        {4, 4, -1, -1, 8, -1},  // onto itself, or outside the list
        {4, -1, -1, 12, 8, -1}, // past the end counts as the blank item
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DropPosition(c.from, c.onto), c.drop) << c.from << "->" << c.onto;
        EXPECT_EQ(InsertMarkItem(c.from, c.over, c.count), c.mark) << c.from << " over " << c.over;
    }
    EXPECT_TRUE(CanAddCategory(99));
    EXPECT_FALSE(CanAddCategory(100));
}

TEST(CategoryRules, DuplicatesAreMergedIntoTheFirst) {
    bool merged = true;
    EXPECT_EQ(MergeDuplicateCategories(kList, merged), kList);
    EXPECT_FALSE(merged);
    const std::vector<std::wstring> twice = {L"全て", L"未設定", L"新", L"A", L"新", L"a", L"A"};
    EXPECT_EQ(MergeDuplicateCategories(twice, merged), (std::vector<std::wstring>{L"全て", L"未設定", L"新", L"A", L"a"}));
    EXPECT_TRUE(merged);
}

} // namespace
} // namespace lum
