#pragma once
// The arithmetic of control sizes and of the factory's layouts, kept apart
// from the windows so that it can be checked on its own.
#include <windows.h>

#include <vector>

namespace lum {

// What the factory measures in the control's font.
struct TextMetrics {
    SIZE text{};     // the whole text: one-line width, height of all its lines
    int letterW = 0; // width of "W"
    int letterM = 0; // height of "M"
};

SIZE StaticTextSize(const TextMetrics& m);
SIZE ButtonSize(const TextMetrics& m);
SIZE CheckBoxSize(const TextMetrics& m);
SIZE EditSize(const TextMetrics& m, int columns, int rows);
SIZE ComboBoxSize(const TextMetrics& m, int lines);  // the height includes the list
SIZE ListBoxSize(const TextMetrics& m);

// Top-left corners for controls of the given heights stacked downwards
// from (x, y) with the gap between them.
std::vector<POINT> StackedPositions(const std::vector<int>& heights, int x, int y, int gap);

// The accept and cancel buttons at the bottom right of a client rectangle:
// 4 pixels from the right and bottom edges and 4 pixels apart, the accept
// button top-aligned with the cancel button.
struct OkCancelPlacement {
    POINT accept{};
    POINT cancel{};
};
OkCancelPlacement PlaceOkCancel(const RECT& client, SIZE accept, SIZE cancel);

// The indexes of a list that ends with -1 (or at its end), without those
// that name no control.
std::vector<int> ListedIndexes(const std::vector<int>& list, int controlCount);

} // namespace lum
