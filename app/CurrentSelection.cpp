#include "app/CurrentSelection.h"

namespace lum {

CurrentSelection& TheCurrentSelection() {
    // Built before anything asks for it and kept until the process ends.
    static CurrentSelection selection;
    return selection;
}

} // namespace lum
