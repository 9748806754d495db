#include "app/MainLayout.h"

#include <gtest/gtest.h>

#include <utility>

namespace lum {
namespace {

TEST(MainLayout, PlacesBothPanesBelowTheRebar) {
    struct Case {
        int width, height, rebar;
        bool browserHidesList;
        PanePlace left, right;  // width, height, x, y
    };
    // The panes reach one pixel below the client area; a minimised window
    // (client narrower than the splitter, or lower than the rebar) gives
    // empty panes, never wrapped sizes.
    const Case cases[] = {
        {1006, 700, 0, false, {300, 701, 0, 0}, {700, 701, 306, 0}},
        {1006, 700, 52, false, {300, 649, 0, 52}, {700, 649, 306, 52}},
        {1006, 700, 0, true, {1, 701, 0, 0}, {999, 701, 7, 0}},
        {0, 0, 0, false, {0, 1, 0, 0}, {0, 1, 6, 0}},
        {3, 20, 30, false, {0, 0, 0, 30}, {0, 0, 6, 30}},
        {5, 10, 0, true, {0, 11, 0, 0}, {0, 11, 6, 0}},
        {7, 10, 0, true, {1, 11, 0, 0}, {0, 11, 7, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " rebar " << c.rebar);
        const MainLayout l = ComputeMainLayout(c.width, c.height, c.rebar, 70, c.browserHidesList);
        for (const auto& [got, want] : {std::pair{l.left, c.left}, std::pair{l.right, c.right}}) {
            EXPECT_EQ(got.width, want.width);
            EXPECT_EQ(got.height, want.height);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
        }
    }
}

TEST(MainLayout, SplitterZoneIsTheFiveColumnsBetweenThePanes) {
    // Right pane at 306: columns 301 to 305.
    EXPECT_FALSE(InSplitterZone(300, 306));
    EXPECT_TRUE(InSplitterZone(301, 306));
    EXPECT_TRUE(InSplitterZone(305, 306));
    EXPECT_FALSE(InSplitterZone(306, 306));
}

TEST(MainLayout, ShareAfterDragIsKeptInsideItsBounds) {
    EXPECT_EQ(ShareAfterDrag(300, 1001), 70u);
    EXPECT_EQ(ShareAfterDrag(500, 1001), 50u);
    EXPECT_EQ(ShareAfterDrag(-200, 1001), kMaxRightShare);  // dragged past the left edge
    EXPECT_EQ(ShareAfterDrag(2000, 1001), kMinRightShare);  // past the right edge
    EXPECT_EQ(ShareAfterDrag(1000, 1001), kMinRightShare);
    EXPECT_EQ(ShareAfterDrag(10, 1), kDefaultRightShare);    // no width to speak of
}

TEST(MainLayout, OnlyAnotherSizeCounts) {
    const RECT last{0, 0, 800, 600};
    EXPECT_FALSE(ClientSizeChanged(last, 800, 600));
    EXPECT_TRUE(ClientSizeChanged(last, 801, 600));
    EXPECT_TRUE(ClientSizeChanged(last, 800, 599));
}

} // namespace
} // namespace lum
