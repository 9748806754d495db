// The main window with its command bar over a small collection, for
// looking at. Argument: "narrow" opens the saver band's chevron menu in a
// narrow window, "favourites" the favourites menu, "context" the context
// menu over a selected entry; anything else shows the bar. Closes itself
// after 20 seconds.
#include "app/MainView.h"
#include "app/MainWindowClass.h"
#include "base/Messages.h"
#include "base/Scoped.h"
#include "store/SaverCatalog.h"
#include "tests/support/TestSupport.h"
#include "toolkit/GdiPlusOwners.h"

#include <commctrl.h>
#include <shellapi.h>

using namespace lum;

namespace {

MainView_CL* g_view = nullptr;
std::wstring g_mode;

void AddEntry(const std::wstring& collection, int number, const wchar_t* title, const wchar_t* scr) {
    SaverItem item;
    item.folder = collection + L"\\0000" + std::to_wstring(number);
    test::MakeFolders(item.folder);
    item.sort_id = number;
    item.category = L"デモ";
    item.title = title;
    item.note = L"デモ用のスクリーンセーバー";
    item.web = L"http://www.lumenary.example/lumenary/demo.html";
    item.scr = scr;
    SaveItem(item);
}

void CALLBACK Act(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(hwnd, id);
    MenuMain_CL& bar = g_view->CommandBar();
    if (g_mode == L"narrow") {
        NMREBARCHEVRON chevron{};
        chevron.uBand = 1;
        bar.ShowChevronMenu(chevron);
    } else if (g_mode == L"favourites") {
        ::SendMessageW(hwnd, WM_COMMAND, kCmdFavouritesMenu, reinterpret_cast<LPARAM>(bar.BrowserBar().Window()));
    } else if (g_mode == L"context") {
        ::SendMessageW(g_view->ListPane().ListBox(), LB_SETCURSEL, 0, 0);
        ::SendMessageW(hwnd, kMsgSelectionChanged, 0, 0);
        ::SendMessageW(hwnd, kMsgListContextMenu, 0, -1);
    }
}

void CALLBACK CloseAll(HWND hwnd, UINT, UINT_PTR, DWORD) {
    ::EndMenu();
    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    g_mode = argc > 1 ? argv[1] : L"";
    ::LocalFree(argv);

    ComScope com;
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    GdiplusSession gdiplus;
    test::TempFolder temp;
    const std::wstring collection = temp / L"Collection\\all";
    AddEntry(collection, 1, L"星の海", (test::DistFolder() + L"\\demo\\Starfield.scr").c_str());
    AddEntry(collection, 2, L"シャボン玉", (test::DistFolder() + L"\\demo\\Bubbles.scr").c_str());
    const std::wstring favourites = temp / L"Favorites";
    test::MakeFolders(favourites + L"\\スクリーンセーバー");
    for (const wchar_t* name : {L"\\スクリーンセーバー\\配布サイト.url", L"\\Lumenary.url", L"\\ニュース.url"})
        test::WriteBytes(favourites + name, std::string("[InternetShortcut]\r\nURL=http://127.0.0.1:9/\r\n"));

    MainView_CL view;
    g_view = &view;
    view.SetSettingsPath(temp / L"Lumenary.ini");
    RegisterMainWindowClass(instance);
    HWND hwnd = CreateMainWindow(instance, view);
    if (!hwnd) return 1;
    view.SetWindow(hwnd);
    view.CommandBar().SetFavouritesFolder(favourites);
    if (g_mode == L"narrow") ::SetWindowPos(hwnd, nullptr, 0, 0, 420, 500, SWP_NOMOVE | SWP_NOZORDER);
    ::SetTimer(hwnd, 1, 1500, &Act);
    ::SetTimer(hwnd, 2, 20000, &CloseAll);
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    view.Teardown();
    return 0;
}
