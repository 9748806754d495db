#include "app/StartUp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return lum::RunLumenary(instance);
}
