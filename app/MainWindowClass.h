#pragma once
#include <windows.h>

namespace lum {

class MainView_CL;

constexpr wchar_t kMainWindowClass[] = L"MainWindowClass";
constexpr wchar_t kMainWindowTitle[] = L"Lumenary";
// WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS plus the class bit
// 0x20, without WS_VISIBLE: the window shows itself when it is ready.
constexpr DWORD kMainWindowStyle = 0x06CF0020;

// The main window is 90 % of the screen in each direction.
SIZE MainWindowSize(int screenWidth, int screenHeight);

// Finds the main view through the window's user data; messages that come
// before WM_CREATE never reach it.
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

ATOM RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance, MainView_CL& view);

} // namespace lum
