#include "toolkit/ControlLayout.h"

namespace lum {

namespace {
constexpr int kButtonPadding = 8;
constexpr int kCheckMarkRoom = 32;
constexpr int kDefaultColumns = 32;
constexpr int kListRows = 32;
constexpr int kEdgeGap = 4;
} // namespace

SIZE StaticTextSize(const TextMetrics& m) { return m.text; }

SIZE ButtonSize(const TextMetrics& m) {
    return SIZE{m.text.cx + kButtonPadding, m.text.cy + kButtonPadding};
}

SIZE CheckBoxSize(const TextMetrics& m) { return SIZE{m.text.cx + kCheckMarkRoom, m.text.cy}; }

SIZE EditSize(const TextMetrics& m, int columns, int rows) {
    return SIZE{columns * m.letterW, rows * m.letterM};
}

SIZE ComboBoxSize(const TextMetrics& m, int lines) {
    return SIZE{kDefaultColumns * m.letterW, lines * m.letterM};
}

SIZE ListBoxSize(const TextMetrics& m) {
    return SIZE{kDefaultColumns * m.letterW, kListRows * m.letterM};
}

std::vector<POINT> StackedPositions(const std::vector<int>& heights, int x, int y, int gap) {
    std::vector<POINT> positions;
    positions.reserve(heights.size());
    for (const int height : heights) {
        positions.push_back(POINT{x, y});
        y += height + gap;
    }
    return positions;
}

OkCancelPlacement PlaceOkCancel(const RECT& client, SIZE accept, SIZE cancel) {
    const int right = client.right - kEdgeGap;
    const int bottom = client.bottom - kEdgeGap;
    OkCancelPlacement p;
    p.cancel = POINT{right - cancel.cx, bottom - cancel.cy};
    p.accept = POINT{right - accept.cx - cancel.cx - kEdgeGap, bottom - cancel.cy};
    return p;
}

std::vector<int> ListedIndexes(const std::vector<int>& list, int controlCount) {
    std::vector<int> indexes;
    for (const int index : list) {
        if (index == -1) break;
        if (index >= 0 && index < controlCount) indexes.push_back(index);
    }
    return indexes;
}

} // namespace lum
