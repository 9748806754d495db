// The arithmetic behind the panes, checked without windows.
#include "views/PreviewPlan.h"
#include "views/SaverListPlan.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace lum {
namespace {

std::vector<int32_t> Moved(std::vector<int32_t> rows, int from, int to, bool expected) {
    EXPECT_EQ(MoveDraggedEntry(rows, from, to), expected) << from << " -> " << to;
    return rows;
}

// The list pane's drag (SaverListPaneTest) shows P onto R and the drops
// that change nothing; here the other directions and the edges.
TEST(DraggedEntry, MovesSoThatItEndsAtTheDroppedRowAndTheSelectionFollows) {
    const std::vector<int32_t> pqrs{10, 11, 12, 13};
    EXPECT_EQ(Moved(pqrs, 1, 3, true), (std::vector<int32_t>{10, 12, 13, 11}));
    EXPECT_EQ(Moved(pqrs, 2, 0, true), (std::vector<int32_t>{12, 10, 11, 13}));
    for (const auto& [from, to] : {std::pair{1, 1}, {1, 4}, {1, -1}, {-1, 2}, {4, 2}})
        EXPECT_EQ(Moved(pqrs, from, to, false), pqrs);
    EXPECT_EQ(Moved({}, 0, 0, false), std::vector<int32_t>{});

    EXPECT_EQ(RowAfterMove(-1, 3, 1), -1);
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

// Where the row's parts are drawn is checked in its pixels (SaverListPaneTest).
TEST(RowGeometry, RowTextIsTheHeadingAndTheNote) {
    EXPECT_EQ(RowText(L"星空", L"静かな夜"), L"< 星空 >\n静かな夜");
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

    // The preview pane shows the other choices (PreviewPaneTest).
    SaverItem still = Item(L"C:\\windows\\Starfield.scr", 1);
    EXPECT_EQ(ChoosePreviewContent(&still, true, true), PreviewContent::LiveSaver)
        << "without a thumbnail path there is no picture to look for: the saver runs";

    EXPECT_EQ(PreviewNoticeText(PreviewContent::NothingSelected), L"一覧からスクリーンセーバーを選んでください。");
    EXPECT_EQ(PreviewNoticeText(PreviewContent::SaverMissing), L"スクリーンセーバーのファイルが見つかりません。");
    EXPECT_TRUE(PreviewNoticeText(PreviewContent::LiveSaver).empty());
}

} // namespace
} // namespace lum
