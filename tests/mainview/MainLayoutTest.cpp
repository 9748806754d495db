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
        {3, 20, 30, false, {0, 0, 0, 30}, {0, 0, 6, 30}},
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

// Dragging the splitter and a resize that arms the restart timer are
// driven in a real window (MainViewTest); here the edges.
TEST(MainLayout, SplitterZoneAndShareAfterDragStayInsideTheirBounds) {
    // Right pane at 306: the gap is columns 301 to 305.
    for (const auto& [x, inside] : {std::pair{300, false}, {301, true}, {305, true}, {306, false}})
        EXPECT_EQ(InSplitterZone(x, 306), inside) << x;
    EXPECT_EQ(ShareAfterDrag(2000, 1001), kMinRightShare);  // past the right edge
    EXPECT_EQ(ShareAfterDrag(1000, 1001), kMinRightShare);
    EXPECT_EQ(ShareAfterDrag(10, 1), kDefaultRightShare);    // no width to speak of
}

} // namespace
} // namespace lum
