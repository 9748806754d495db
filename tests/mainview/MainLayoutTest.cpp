#include "app/MainLayout.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

TEST(MainLayout, SplitsTheUsableWidthBySevenToThree) {
    const MainLayout l = ComputeMainLayout(1006, 700, 0, 70, false);
    EXPECT_EQ(l.right.width, 700);
    EXPECT_EQ(l.right.x, 306);
    EXPECT_EQ(l.left.width, 300);
    EXPECT_EQ(l.left.x, 0);
    // Both panes reach one pixel below the client area.
    EXPECT_EQ(l.left.height, 701);
    EXPECT_EQ(l.right.height, 701);
}

TEST(MainLayout, RebarPushesThePanesDown) {
    const MainLayout l = ComputeMainLayout(1006, 700, 52, 70, false);
    EXPECT_EQ(l.left.y, 52);
    EXPECT_EQ(l.right.y, 52);
    EXPECT_EQ(l.left.height, 649);
}

TEST(MainLayout, BrowserWithPreviewHideNarrowsTheListToOnePixel) {
    const MainLayout l = ComputeMainLayout(1006, 700, 0, 70, true);
    EXPECT_EQ(l.left.width, 1);
    EXPECT_EQ(l.right.x, 7);
    EXPECT_EQ(l.right.width, 999);
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
