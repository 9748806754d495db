#include "demo/savers/Plasma.h"
#include "demo/savers/SaverWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return lum::demo::RunSaver(lum::demo::PlasmaSaver(), ::GetCommandLineW());
}
