#include "app/MainView.h"

namespace lum {

// Running, setting and deleting come with their own work; until then these
// do nothing.
void MainView_CL::OnSaverSettings() {}
void MainView_CL::OnDeleteEntry() {}
void MainView_CL::OnRunFullScreen() {}
void MainView_CL::OnSetSystemSaver() {}
bool MainView_CL::OnCommandTimer(UINT_PTR) { return false; }

} // namespace lum
