#include "app/MainLayout.h"

namespace lum {

MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int rebarHeight, unsigned rightShare,
                             bool browserHidesList) {
    const int usable = clientWidth - kSplitterWidth;
    int rightWidth = usable * static_cast<int>(rightShare) / 100;
    if (browserHidesList) rightWidth = usable - 1;
    const int leftWidth = usable - rightWidth;
    const int height = clientHeight - rebarHeight + 1;

    MainLayout layout;
    layout.left = {static_cast<uint16_t>(leftWidth), static_cast<uint16_t>(height), 0,
                   static_cast<uint16_t>(rebarHeight)};
    layout.right = {static_cast<uint16_t>(rightWidth), static_cast<uint16_t>(height),
                    static_cast<uint16_t>(leftWidth + kSplitterWidth), static_cast<uint16_t>(rebarHeight)};
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
