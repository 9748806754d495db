#include "app/MainLayout.h"

namespace lum {

namespace {
// A minimised or tiny window gives negative sums; a pane field never wraps.
uint16_t PixelField(int value) {
    if (value < 0) return 0;
    if (value > 0xFFFF) return 0xFFFF;
    return static_cast<uint16_t>(value);
}
} // namespace

MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int rebarHeight, unsigned rightShare,
                             bool browserHidesList) {
    const int usable = clientWidth > kSplitterWidth ? clientWidth - kSplitterWidth : 0;
    const int share = rightShare > 100 ? 100 : static_cast<int>(rightShare);
    int rightWidth = usable * share / 100;
    if (browserHidesList) rightWidth = usable > 1 ? usable - 1 : 0;
    const int leftWidth = usable - rightWidth;
    const int top = rebarHeight > 0 ? rebarHeight : 0;
    const int height = clientHeight - top + 1;

    MainLayout layout;
    layout.left = {PixelField(leftWidth), PixelField(height), 0, PixelField(top)};
    layout.right = {PixelField(rightWidth), PixelField(height), PixelField(leftWidth + kSplitterWidth), PixelField(top)};
    return layout;
}

bool InSplitterZone(int x, int rightPaneX) {
    return rightPaneX - kSplitterWidth < x && x < rightPaneX;
}

unsigned ShareAfterDrag(int lineX, int clientWidth) {
    if (clientWidth <= 1) return kDefaultRightShare;
    const int share = 100 - (lineX * 100) / (clientWidth - 1);
    if (share < static_cast<int>(kMinRightShare)) return kMinRightShare;
    if (share > static_cast<int>(kMaxRightShare)) return kMaxRightShare;
    return static_cast<unsigned>(share);
}

bool ClientSizeChanged(const RECT& last, int width, int height) {
    return width != last.right || height != last.bottom;
}

} // namespace lum
