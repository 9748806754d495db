// Shows a demo saver's preview inside a host window of this same process.
// Wine does not put a child window of another process on the screen, so
// this is how a screenshot of the preview is taken:
//   saver_preview_host.exe Starfield|Bubbles|Plasma
#include "demo/savers/Bubbles.h"
#include "demo/savers/Plasma.h"
#include "demo/savers/SaverWindow.h"
#include "demo/savers/Starfield.h"

#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    const std::wstring name = arguments ? arguments : L"";
    lum::demo::SaverDefinition saver = name == L"Bubbles" ? lum::demo::BubblesSaver()
                                       : name == L"Plasma" ? lum::demo::PlasmaSaver()
                                                           : lum::demo::StarfieldSaver();
    WNDCLASSW wc{};
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH));
    wc.lpszClassName = L"LumenaryPreviewHost";
    ::RegisterClassW(&wc);
    HWND host = ::CreateWindowExW(0, wc.lpszClassName, (L"プレビュー: " + saver.title).c_str(),
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 120, 120, 360, 280, nullptr,
                                  nullptr, instance, nullptr);
    if (!host) return 1;
    return lum::demo::RunSaverWindow(saver, lum::demo::SaverRun::Preview, host);
}
