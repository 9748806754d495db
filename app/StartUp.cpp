#include "app/StartUp.h"

#include "app/MainView.h"
#include "app/MainWindowClass.h"
#include "base/Scoped.h"
#include "toolkit/GdiPlusOwners.h"

#include <clocale>
#include <commctrl.h>

namespace lum {

namespace {

// From the main view's construction to its teardown: the window class, the
// window and the message loop. Returns the exit code.
int RunMainWindow(HINSTANCE instance) {
    MainView_CL view;
    if (!RegisterMainWindowClass(instance)) {
        view.Teardown();
        return kExitNoWindowClass;
    }
    HWND hwnd = CreateMainWindow(instance, view);
    if (!hwnd) {
        view.Teardown();
        return kExitNoMainWindow;
    }
    view.SetWindow(hwnd);
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    view.Teardown();
    return static_cast<int>(msg.wParam);
}

} // namespace

int RunLumenary(HINSTANCE instance) {
    std::setlocale(LC_ALL, "Japanese");

    UniqueHandle mutex(::CreateMutexW(nullptr, TRUE, kSingleInstanceMutex));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::MessageBoxW(nullptr, L"Lumenaryは起動中です。", L"お知らせ", MB_OK);
        return kExitAlreadyRunning;
    }

    int exitCode = 0;
    {
        // Brought up in this order and shut down in reverse: GDI+ before COM.
        ComScope com;
        INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
        ::InitCommonControlsEx(&icc);
        GdiplusSession gdiplus;
        exitCode = RunMainWindow(instance);
    }
    if (mutex) ::ReleaseMutex(mutex.get());
    return exitCode;
}

} // namespace lum
