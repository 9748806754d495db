// The arithmetic behind the panes, checked without windows.
#include "views/PreviewPlan.h"
#include "views/SaverListPlan.h"

#include <gtest/gtest.h>

#include <array>

namespace lum {
namespace {

SaverCatalog CatalogWithGroups(const std::vector<std::pair<std::wstring, int>>& groups, size_t itemCount) {
    SaverCatalog catalog;
    catalog.items.resize(itemCount);
    int32_t next = 0;
    for (const auto& [name, count] : groups) {
        catalog.categories.push_back(name);
        CategoryGroup group{name, {}};
        for (int i = 0; i < count; ++i) group.items.push_back(next++ % static_cast<int32_t>(itemCount ? itemCount : 1));
        catalog.groups.push_back(group);
    }
    return catalog;
}

TEST(CategoryTabPlan, CountsEveryEntryInTheFirstTabAndSkipsEmptyCategories) {
    const SaverCatalog catalog =
        CatalogWithGroups({{L"全て", 12}, {L"未設定", 0}, {L"映画", 5}, {L"スポーツ", 0}, {L"動物", 7}}, 12);
    const auto tabs = PlanCategoryTabs(catalog);
    ASSERT_EQ(tabs.size(), 3u);
    EXPECT_EQ(tabs[0].text, L"全て(12)");
    EXPECT_EQ(tabs[0].slot, 0);
    EXPECT_EQ(tabs[1].text, L"映画");
    EXPECT_EQ(tabs[1].slot, 2);
    EXPECT_EQ(tabs[2].text, L"動物");
    EXPECT_EQ(tabs[2].slot, 4);
}

TEST(CategoryTabPlan, AnEmptyCollectionStillHasOneTab) {
    for (const SaverCatalog& catalog :
         {CatalogWithGroups({{L"全て", 0}, {L"未設定", 0}}, 0), CatalogWithGroups({}, 0)}) {
        const auto tabs = PlanCategoryTabs(catalog);
        ASSERT_EQ(tabs.size(), 1u);
        EXPECT_EQ(tabs[0].text, L"全て");
        EXPECT_EQ(tabs[0].slot, 0);
    }
}

std::vector<int32_t> Moved(std::vector<int32_t> rows, int from, int to, bool expected) {
    EXPECT_EQ(MoveDraggedEntry(rows, from, to), expected) << from << " -> " << to;
    return rows;
}

TEST(DraggedEntry, MovesSoThatItEndsAtTheDroppedRow) {
    const std::vector<int32_t> pqrs{10, 11, 12, 13};  // P, Q, R, S
    EXPECT_EQ(Moved(pqrs, 0, 2, true), (std::vector<int32_t>{11, 12, 10, 13}));  // Q R P S
    EXPECT_EQ(Moved(pqrs, 3, 1, true), (std::vector<int32_t>{10, 13, 11, 12}));  // P S Q R
    EXPECT_EQ(Moved(pqrs, 1, 3, true), (std::vector<int32_t>{10, 12, 13, 11}));
    EXPECT_EQ(Moved(pqrs, 2, 0, true), (std::vector<int32_t>{12, 10, 11, 13}));
}

TEST(DraggedEntry, DropsOutsideTheRowsOrOnTheStartChangeNothing) {
    const std::vector<int32_t> pqrs{10, 11, 12, 13};
    EXPECT_EQ(Moved(pqrs, 1, 1, false), pqrs);
    EXPECT_EQ(Moved(pqrs, 1, 4, false), pqrs);  // the empty row shown during the drag
    EXPECT_EQ(Moved(pqrs, 1, -1, false), pqrs);
    EXPECT_EQ(Moved(pqrs, -1, 2, false), pqrs);
    EXPECT_EQ(Moved(pqrs, 4, 2, false), pqrs);
    EXPECT_EQ(Moved({}, 0, 0, false), std::vector<int32_t>{});
}

TEST(DraggedEntry, TheSelectionFollowsItsEntry) {
    // P, Q, R, S with P dragged onto R: Q R P S.
    EXPECT_EQ(RowAfterMove(0, 0, 2), 2);   // P itself
    EXPECT_EQ(RowAfterMove(1, 0, 2), 0);   // Q moved up
    EXPECT_EQ(RowAfterMove(2, 0, 2), 1);   // R moved up
    EXPECT_EQ(RowAfterMove(3, 0, 2), 3);   // S stays
    // S onto Q: P S Q R.
    EXPECT_EQ(RowAfterMove(3, 3, 1), 1);
    EXPECT_EQ(RowAfterMove(1, 3, 1), 2);
    EXPECT_EQ(RowAfterMove(2, 3, 1), 3);
    EXPECT_EQ(RowAfterMove(0, 3, 1), 0);
    EXPECT_EQ(RowAfterMove(-1, 3, 1), -1);
    // Checked against the move itself for every pair in a list of five.
    for (int from = 0; from < 5; ++from)
        for (int to = 0; to < 5; ++to)
            for (int selected = 0; selected < 5; ++selected) {
                std::vector<int32_t> rows{0, 1, 2, 3, 4};
                MoveDraggedEntry(rows, from, to);
                EXPECT_EQ(rows[static_cast<size_t>(RowAfterMove(selected, from, to))], selected)
                    << from << "->" << to << " selected " << selected;
            }
}

TEST(DraggedEntry, TheInsertMarkSitsOnTheSideTheEntryWillLand) {
    EXPECT_EQ(InsertMarkRow(1, 3), 1);   // above the start: before the target
    EXPECT_EQ(InsertMarkRow(3, 1), 4);   // below: before the row after it
    EXPECT_EQ(InsertMarkRow(2, 2), 3);
    EXPECT_EQ(InsertMarkRow(-1, 2), -1); // off the list: erased
}

TEST(RowGeometry, TextBoxStartsRightOfTheThumbnailColumn) {
    const RECT item{0, 208, 400, 312};  // the third row of a 400-pixel list
    const BoxF box = RowTextBox(item);
    EXPECT_FLOAT_EQ(box.x, 132);
    EXPECT_FLOAT_EQ(box.y, 212);
    EXPECT_FLOAT_EQ(box.width, 272);
    EXPECT_FLOAT_EQ(box.height, 104);
    const BoxF text = RowTextLayout(item);
    EXPECT_FLOAT_EQ(text.x, 134);
    EXPECT_FLOAT_EQ(text.y, 214);
    EXPECT_FLOAT_EQ(text.width, 272);
    EXPECT_FLOAT_EQ(text.height, 104);
    const POINT origin = RowThumbnailOrigin(RECT{8, 0, 300, 104});
    EXPECT_EQ(origin.x, 12);
    EXPECT_EQ(origin.y, 4);
    EXPECT_EQ(RowText(L"星空", L"静かな夜"), L"< 星空 >\n静かな夜");
    EXPECT_EQ(RowHeading(L""), L"<  >");
}

TEST(StillPicture, IsScaledToTheViewWidthCentredOrCutWithoutWrapping) {
    struct Case {
        unsigned viewWidth, viewHeight, pictureWidth, pictureHeight;
        bool drawable;
        unsigned height;
        int top, topBand, bottomBandTop, bottomBand;
    } const cases[] = {
        {800, 600, 400, 100, true, 200, 200, 200, 400, 200},
        {400, 300, 100, 200, true, 800, -250, 0, 550, 0},   // taller than the view: cut, no bands
        {100, 301, 100, 800, true, 800, -249, 0, 551, 0},   // odd difference truncates toward zero
        {500, 300, 700, 333, true, 237, 31, 31, 268, 32},   // 237.857... cut to 237
        {40000, 100, 40000, 70000, true, 70000, -34950, 0, 35050, 0},  // product beyond 32 bits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pictureWidth << "x" << c.pictureHeight << " in " << c.viewWidth);
        const StillPicturePlacement p = PlaceStillPicture(c.viewWidth, c.viewHeight, c.pictureWidth, c.pictureHeight);
        ASSERT_TRUE(p.drawable);
        EXPECT_EQ(p.height, c.height);
        EXPECT_EQ(p.top, c.top);
        EXPECT_EQ(p.topBand, c.topBand);
        EXPECT_EQ(p.bottomBandTop, c.bottomBandTop);
        EXPECT_EQ(p.bottomBand, c.bottomBand);
    }
    // A picture without pixels, a view without area, or a height beyond reason is not drawn.
    for (const auto& [vw, vh, pw, ph] : {std::array<unsigned, 4>{800, 600, 0, 100}, {800, 600, 400, 0},
                                         {0, 600, 400, 100}, {800, 0, 400, 100}, {60000, 100, 1, 70000}})
        EXPECT_FALSE(PlaceStillPicture(vw, vh, pw, ph).drawable) << vw << " " << vh << " " << pw << " " << ph;
}

SaverItem Item(const std::wstring& scr, int largeImage, int useOriginal = 0) {
    SaverItem item;
    item.scr = scr;
    item.large_image = largeImage;
    item.use_original_saver = useOriginal;
    return item;
}

TEST(PreviewRestart, OnlyAnotherFileOrAnotherWayOfShowingRestarts) {
    const SaverItem stars = Item(L"C:\\windows\\Starfield.scr", 0);
    EXPECT_FALSE(PreviewNeedsRestart(stars, stars, false));
    EXPECT_TRUE(PreviewNeedsRestart(stars, stars, true));
    EXPECT_TRUE(PreviewNeedsRestart(stars, Item(L"C:\\windows\\Bubbles.scr", 0), false));
    EXPECT_TRUE(PreviewNeedsRestart(stars, Item(L"C:\\windows\\Starfield.scr", 1), false));
    // The comparison is exact: another spelling of the path is another file here.
    EXPECT_TRUE(PreviewNeedsRestart(stars, Item(L"c:\\windows\\starfield.scr", 0), false));
    // Title and note do not decide it.
    SaverItem retitled = stars;
    retitled.title = L"別名";
    retitled.note = L"メモ";
    EXPECT_FALSE(PreviewNeedsRestart(retitled, stars, false));
    // Another entry of the same saver, or the original instead of the copy,
    // may be another file to run.
    SaverItem otherEntry = stars;
    otherEntry.folder = L"C:\\data\\00007";
    EXPECT_TRUE(PreviewNeedsRestart(otherEntry, stars, false));
    SaverItem original = stars;
    original.use_original_saver = 1;
    EXPECT_TRUE(PreviewNeedsRestart(original, stars, false));
    // Nothing previewed yet (the empty record) and an entry selected: start it.
    EXPECT_TRUE(PreviewNeedsRestart(stars, SaverItem{}, false));
}

TEST(PreviewContentChoice, NoticesCoverWhatNoSaverWouldCover) {
    EXPECT_EQ(ChoosePreviewContent(nullptr, true, true), PreviewContent::NothingSelected);
    const SaverItem nothing;  // the record of "no selection"
    EXPECT_EQ(ChoosePreviewContent(&nothing, true, true), PreviewContent::NothingSelected);

    SaverItem live = Item(L"C:\\windows\\Starfield.scr", 0);
    live.image = L"C:\\data\\00001\\image.png";
    EXPECT_EQ(ChoosePreviewContent(&live, false, true), PreviewContent::LiveSaver);
    EXPECT_EQ(ChoosePreviewContent(&live, true, false), PreviewContent::SaverMissing);

    SaverItem still = live;
    still.large_image = 1;
    EXPECT_EQ(ChoosePreviewContent(&still, true, false), PreviewContent::StillPicture);
    EXPECT_EQ(ChoosePreviewContent(&still, false, true), PreviewContent::PictureMissing);
    // Without a thumbnail path there is no picture to look for: the saver runs.
    still.image.clear();
    EXPECT_EQ(ChoosePreviewContent(&still, true, true), PreviewContent::LiveSaver);

    EXPECT_EQ(PreviewNoticeText(PreviewContent::NothingSelected), L"一覧からスクリーンセーバーを選んでください。");
    EXPECT_EQ(PreviewNoticeText(PreviewContent::SaverMissing), L"スクリーンセーバーのファイルが見つかりません。");
    EXPECT_TRUE(PreviewNoticeText(PreviewContent::LiveSaver).empty());
    EXPECT_TRUE(PreviewNoticeText(PreviewContent::StillPicture).empty());
}

TEST(LargePicture, SitsBesideTheThumbnail) {
    EXPECT_EQ(LargePicturePath(L"C:\\data\\Collection\\all\\00003\\image.png"),
              L"C:\\data\\Collection\\all\\00003\\imageL.png");
    EXPECT_EQ(LargePicturePath(L""), L"");
}

} // namespace
} // namespace lum
