#include "demo/savers/Bubbles.h"
#include "demo/savers/SaverWindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return lum::demo::RunSaver(lum::demo::BubblesSaver(), ::GetCommandLineW());
}
