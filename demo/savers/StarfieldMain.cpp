#include "demo/savers/Starfield.h"
#include "demo/savers/SaverWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return lum::demo::RunSaver(lum::demo::StarfieldSaver(), ::GetCommandLineW());
}
