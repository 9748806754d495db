#include "app/StartUp.h"

#include "app/MainView.h"
#include "app/MainWindowClass.h"

#include <clocale>
#include <commctrl.h>
#include <objbase.h>
// GDI+ headers need min/max and the COM base types in scope.
#include <algorithm>
namespace Gdiplus { using std::min; using std::max; }
#include <gdiplus.h>

namespace lum {

int RunLumenary(HINSTANCE instance) {
    std::setlocale(LC_ALL, "Japanese");

    HANDLE mutex = ::CreateMutexW(nullptr, TRUE, kSingleInstanceMutex);
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::MessageBoxW(nullptr, L"Lumenaryは起動中です。", L"お知らせ", MB_OK);
        return kExitAlreadyRunning;
    }

    ::CoInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    int exitCode = 0;
    {
        MainView_CL view;
        if (!RegisterMainWindowClass(instance)) {
            view.Teardown();
            return kExitNoWindowClass;
        }
        HWND hwnd = CreateMainWindow(instance, view);
        if (!hwnd) {
            exitCode = kExitNoMainWindow;
        } else {
            view.SetWindow(hwnd);
            MSG msg;
            while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
        }
        view.Teardown();
    }

    Gdiplus::GdiplusShutdown(gdiplusToken);
    ::CoUninitialize();
    if (mutex) ::ReleaseMutex(mutex);
    return exitCode;
}

} // namespace lum
