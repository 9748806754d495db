#pragma once
#include <windows.h>

namespace lum {

// The same name for every copy of the program on the machine.
constexpr wchar_t kSingleInstanceMutex[] = L"Lumenary-SingleInstance-5E2B7C14";

// Exit codes besides the final WM_QUIT's wParam.
constexpr int kExitAlreadyRunning = 0;
constexpr int kExitNoWindowClass = -1;
constexpr int kExitNoMainWindow = -2;

// The whole life of the program: single-instance check, platform libraries,
// main view and window, message loop, orderly shut-down.
int RunLumenary(HINSTANCE instance);

} // namespace lum
