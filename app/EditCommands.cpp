#include "app/MainView.h"

namespace lum {

// The dialogs come with their own work; until then these do nothing.
void MainView_CL::OnEditInformation() {}
void MainView_CL::OnAppSettings() {}
void MainView_CL::OnVersion() {}

} // namespace lum
