// A window with a rebar holding the browser and saver toolbars from the
// strip; after a moment it opens the saver band's chevron menu, so that
// the whole can be looked at on a screenshot.
#include "base/ModulePath.h"
#include "toolkit/ReBer.h"
#include "toolkit/ToolBar.h"
#include "base/Scoped.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

using namespace lum;

constexpr UINT_PTR kOpenChevronTimer = 1;
constexpr DWORD kRebarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_TOOLTIPS |
                              RBS_VARHEIGHT | RBS_BANDBORDERS | RBS_DBLCLKTOGGLE;

struct Demo {
    ReBer_CL rebar;
    ToolBar_CL browserBar;
    ToolBar_CL saverBar;
    ImageList_CL browserImages;
    ImageList_CL saverImages;
    HWND note = nullptr;
};
Demo* g_demo = nullptr;

const wchar_t* TipOf(UINT command) {
    // The chevron opens on the saver band, so its tooltips come first.
    for (ToolBar_CL* bar : {&g_demo->saverBar, &g_demo->browserBar}) {
        for (const ToolButton_CL& record : bar->m_Buttons) {
            if (record.m_nIndex != -1 && static_cast<UINT>(record.m_Button.idCommand) == command) {
                return record.m_ToolTip.c_str();
            }
        }
    }
    return L"";
}

void Build(HWND hwnd) {
    Demo& d = *g_demo;
    const std::wstring strip = QueryModulePath().folder + L"\\menu_image.bmp";
    d.rebar.CreateRebar(WS_EX_TOOLWINDOW, kRebarStyle, hwnd, ::GetModuleHandleW(nullptr), nullptr);

    d.browserBar.CreateToolbar(d.rebar.Window());
    d.browserBar.SetImageList(d.browserImages.LoadImageStrip(strip, 24));
    d.browserBar.SetButtonStyle(0, BTNS_DROPDOWN);
    d.browserBar.SetButtonStyle(1, BTNS_DROPDOWN);
    const wchar_t* browserTips[] = {L"戻る", L"進む", L"中断", L"リロード", L"ホーム", L"お気に入り",
                                    L"インターネットのプロパティを開きます。"};
    for (int i = 0; i < 7; ++i) d.browserBar.InsertButton(i, i, 1126 + i, browserTips[i]);

    d.saverBar.CreateToolbar(d.rebar.Window());
    d.saverBar.SetImageList(d.saverImages.LoadImageStrip(strip, 24));
    const int commands[] = {1150, 1145, 1151, 1130, 1146, 1147, 1148};
    const int images[] = {10, 9, 12, 7, 8, 9, 14};
    const wchar_t* saverTips[] = {L"現在のスクリーンセーバーを起動します。", L"スクリーンセーバーの情報を編集します。",
                                  L"現在のスクリーンセーバーをＰＣのスクリーンセーバーに設定します。",
                                  L"ブラウザでスクリーンセーバーを探します",
                                  L"インストールされたスクリーンセーバーを探してコレクションに加えます。",
                                  L"アプリケーションの設定を変更します。", L"アプリケーションのバージョンを表示します。"};
    for (int i = 0; i < 7; ++i) d.saverBar.InsertButton(i, images[i], commands[i], saverTips[i]);
    d.saverBar.SetButtonState(1147, TBSTATE_INDETERMINATE);

    d.rebar.AttachToolbar(0, d.browserBar.Window());
    d.rebar.AttachToolbar(1, d.saverBar.Window());
    d.rebar.InsertBand(0, L"ブラウザ");
    d.rebar.InsertBand(1, L"スクリーンセーバー");

    d.note = ::CreateWindowExW(0, L"Static", L"帯を狭めると、隠れたボタンがシェブロンのメニューに並びます。",
                               WS_CHILD | WS_VISIBLE, 10, 120, 560, 20, hwnd, nullptr, ::GetModuleHandleW(nullptr),
                               nullptr);
    ::SendMessageW(d.note, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ::SetTimer(hwnd, kOpenChevronTimer, 800, nullptr);
}

void MeasureItem(MEASUREITEMSTRUCT& m) {
    const auto* menu = MenuOfItemData(m.itemData);
    const MenuEntry_CL* entry = menu ? menu->FindEntry(m.itemID) : nullptr;
    const std::wstring text = entry && !entry->m_Text.empty() ? entry->m_Text : TipOf(m.itemID);
    WindowDC screen(nullptr);
    SelectScope font(screen.get(), ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    ::GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    m.itemWidth = static_cast<UINT>(extent.cx + 40);
    m.itemHeight = 28;
}

void DrawItem(const DRAWITEMSTRUCT& d) {
    const auto* menu = MenuOfItemData(d.itemData);
    const MenuEntry_CL* entry = menu ? menu->FindEntry(d.itemID) : nullptr;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    const bool greyed = (d.itemState & ODS_GRAYED) != 0;
    ::FillRect(d.hDC, &d.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (menu && entry && menu->m_hImageList && entry->m_nImage >= 0) {
        ::ImageList_DrawEx(menu->m_hImageList, entry->m_nImage, d.hDC, d.rcItem.left + 4, d.rcItem.top + 2, 0, 0,
                           CLR_NONE, CLR_NONE, greyed ? ILD_BLEND50 : ILD_NORMAL);
    }
    const std::wstring text = entry && !entry->m_Text.empty() ? entry->m_Text : TipOf(d.itemID);
    RECT r = d.rcItem;
    r.left += 34;
    SelectScope font(d.hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(d.hDC, TRANSPARENT);
    ::SetTextColor(d.hDC, ::GetSysColor(greyed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    ::DrawTextW(d.hDC, text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
}

LRESULT CALLBACK DemoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        Build(hwnd);
        return 0;
    case WM_SIZE:
    case WM_NOTIFY:
        if (g_demo && g_demo->rebar.Window()) {
            const LRESULT result = g_demo->rebar.HandleOwnerMessage(hwnd, message, wParam, lParam);
            if (message == WM_NOTIFY) return result;
        }
        return 0;
    case WM_TIMER:
        if (wParam == kOpenChevronTimer) {
            ::KillTimer(hwnd, kOpenChevronTimer);
            ::SendMessageW(g_demo->rebar.Window(), RB_PUSHCHEVRON, 1, 0);
        }
        return 0;
    case WM_MEASUREITEM:
        if (wParam == 0) MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        if (wParam == 0) DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    Demo demo;
    g_demo = &demo;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &DemoProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = L"LumenaryToolkitDemo";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"ツールキットの確認", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                  580, 300, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    g_demo = nullptr;
    return 0;
}
