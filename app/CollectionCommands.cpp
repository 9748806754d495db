#include "app/MainView.h"

namespace lum {

// The new-saver and thumbnail dialogs come with their own work; until then
// these do nothing.
void MainView_CL::OnFindNewSavers() {}
void MainView_CL::OnChangeThumbnail() {}

} // namespace lum
