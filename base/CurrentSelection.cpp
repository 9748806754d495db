#include "base/CurrentSelection.h"

namespace lum {

SaverItem NoSelectionItem() {
    SaverItem none;
    none.mark = kNoSelectionMark;
    none.sort_id = 999999;
    return none;
}

CurrentSelection& TheCurrentSelection() {
    // Built before anything asks for it and kept until the process ends.
    static CurrentSelection selection;
    return selection;
}

} // namespace lum
