#include "app/MainView.h"

namespace lum {

// The browser pane and the command bar come with their own work; until
// then these commands do nothing.
void MainView_CL::OnAddressBarChosen(HWND) {}
void MainView_CL::OnFavourite(int) {}
void MainView_CL::OnHistory(int) {}
void MainView_CL::OnFavouritesMenu(HWND) {}
void MainView_CL::OnBrowserCommand(UINT) {}
void MainView_CL::OnContextMenu(LPARAM) {}
void MainView_CL::OnAddFavourite() {}
void MainView_CL::OnOrganiseFavourites() {}

} // namespace lum
