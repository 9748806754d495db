#pragma once
// The arithmetic of the main window's layout and splitter, kept apart from
// the window so that it can be checked on its own.
#include <windows.h>

#include <cstdint>

namespace lum {

constexpr int kSplitterWidth = 6;
constexpr unsigned kDefaultRightShare = 70;
// The share is kept inside these bounds so that neither pane can vanish
// behind a drag past the window's edge.
constexpr unsigned kMinRightShare = 5;
constexpr unsigned kMaxRightShare = 95;

struct PanePlace {
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t x = 0;
    uint16_t y = 0;
};

struct MainLayout {
    PanePlace left;
    PanePlace right;
};

// `browserHidesList`: the browser tab is current and "preview_hide" is set,
// so the list is narrowed to one pixel. The panes reach one pixel below the
// client area.
MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int rebarHeight, unsigned rightShare,
                             bool browserHidesList);

// The five columns between the panes where the sizing cursor shows.
bool InSplitterZone(int x, int rightPaneX);

// The right share after the splitter line was released at `lineX` in a
// client `clientWidth` wide, kept between the bounds.
unsigned ShareAfterDrag(int lineX, int clientWidth);

// Whether a WM_SIZE reports a size other than the last client rectangle's.
bool ClientSizeChanged(const RECT& last, int width, int height);

} // namespace lum
