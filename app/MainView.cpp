#include "app/MainView.h"

#include "base/AppSettings.h"
#include "app/MenuItemDrawing.h"
#include "base/ModulePath.h"
#include "toolkit/Relayout.h"
#include "base/Scoped.h"
#include "base/Messages.h"
#include "base/FileSystem.h"

#include <commctrl.h>
#include <windowsx.h>

namespace lum {

namespace {

constexpr DWORD kPaneStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;  // 0x56000000
constexpr DWORD kClipStyles = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

HINSTANCE InstanceOf(HWND hwnd) {
    return reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
}

void InsertTextTab(HWND tabs, int index, const wchar_t* text) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(text);
    ::SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

} // namespace

MainView_CL::MainView_CL() : m_pSelection(&TheCurrentSelection()) {}

MainView_CL::~MainView_CL() { Teardown(); }

LRESULT MainView_CL::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(hwnd);
    case WM_SIZE:
        OnSize(hwnd, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SETCURSOR:
        return OnSetCursor(hwnd, wParam, lParam);
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        break;
    case WM_MOUSEMOVE:
        if (m_bDragging) DrawDragLine(false);
        break;
    case WM_LBUTTONUP:
        if (m_bDragging) OnLButtonUp();
        break;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_CONTEXTMENU:
        // The menu key over the saver list; a right click posts its own message.
        if (lParam == -1) {
            OnContextMenu(lParam);
            return 0;
        }
        break;
    case kMsgSelectionChanged:
        OnSelectionChanged(static_cast<int>(wParam));
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU) break;
        MeasureMenuItem(hwnd, *item);
        return 1;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU) break;
        DrawMenuItem(*item);
        return 1;
    }
    case WM_CLOSE:
        return OnClose(hwnd, wParam, lParam);
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        if (message >= kCmdFirstFixed && message <= kCmdLastFixed) {
            OnCommandMessage(message, wParam, lParam);
            return 0;
        }
        break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT MainView_CL::OnCreate(HWND hwnd) {
    m_hWnd = hwnd;
    m_pSelection->catalog = &m_catalog;
    m_catalog.module_path = QueryModulePath();
    m_catalog.settings_path = m_settingsPath.empty() ? SettingsPath() : m_settingsPath;
    LoadCatalog(m_catalog);
    m_commandBar.SetBrowser(&m_browserPane);
    m_hRebar = m_commandBar.BuildCommandBar(hwnd, m_pSelection);
    m_browserPane.SetListener(this);
    CreateChildWindows();
    ::ShowWindow(hwnd, SW_SHOW);
    return 0;
}

void MainView_CL::CreateChildWindows() {
    const HINSTANCE instance = InstanceOf(m_hWnd);

    LOGFONTW logFont{};
    if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof logFont, &logFont, 0))
        m_paneFont.reset(::CreateFontIndirectW(&logFont));
    const HFONT paneFont = m_paneFont ? m_paneFont.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));

    m_previewPane.View().SetCurrentItem(&m_pSelection->current_item);
    m_previewPane.View().SetNotifyWindow(m_hWnd);

    HWND right = m_previewPane.CreateAndSubclass(WS_EX_CLIENTEDGE, WC_TABCONTROLW, nullptr, kPaneStyle, 0, 0,
                                                 300, 300, m_hWnd,
                                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdRightPane)),
                                                 instance, nullptr);
    ::SendMessageW(right, WM_SETFONT, reinterpret_cast<WPARAM>(paneFont), TRUE);

    // The browser's host; the browser itself moves in when the pane exists.
    HWND host = m_browserPane.CreateAndSubclass(WS_EX_CLIENTEDGE, L"Static", nullptr, kPaneStyle, 0, 0, 500, 300,
                                                m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdBrowserHost)),
                                                instance, nullptr);
    ::SetParent(host, right);
    m_previewPane.SetBrowserHost(host);

    InsertTextTab(right, 0, L"スクリーンセーバーを探す");
    InsertTextTab(right, 1, L"プレビュー");
    // The browser tab is current at start: the preview view waits hidden.
    ShowBrowserOrPreview(m_pSelection->right_tab);

    m_listPane.Create(&m_catalog, paneFont, m_hWnd);
    m_listPane.SelectTab(0);

    m_panes[0].window = m_listPane.TabControl();
    m_panes[1].window = right;
    Layout();

    if (SUCCEEDED(m_browserPane.CreateBrowser(host, m_browserKind))) m_browserPane.Navigate(kHomePageUrl);
}

void MainView_CL::Layout() {
    int rebarHeight = 0;
    if (m_hRebar) {
        RECT rb{};
        ::GetClientRect(m_hRebar, &rb);
        ::MoveWindow(m_hRebar, 0, 0, rb.right, rb.bottom, TRUE);
        rebarHeight = rb.bottom;
    }
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    const bool browserHidesList = m_pSelection->right_tab == 0 && AppSettings(m_catalog.settings_path).PreviewHide();
    const MainLayout layout = ComputeMainLayout(rc.right, rc.bottom, rebarHeight, m_rightShare, browserHidesList);
    m_panes[0].place = layout.left;
    m_panes[1].place = layout.right;
    for (const Pane& pane : m_panes) {
        if (pane.window)
            ::MoveWindow(pane.window, pane.place.x, pane.place.y, pane.place.width, pane.place.height, TRUE);
    }
}

void MainView_CL::ShowBrowserOrPreview(int index) {
    HWND host = m_browserPane.Window();
    if (!host) return;
    ::ShowWindow(host, index == 1 ? SW_HIDE : SW_SHOW);
    ::ShowWindow(m_previewPane.PreviewWindow(), index == 1 ? SW_SHOW : SW_HIDE);
}

void MainView_CL::ShowRightTab(int index) {
    if (index == m_pSelection->right_tab) return;
    m_pSelection->right_tab = index;
    ::SendMessageW(m_panes[1].window, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowBrowserOrPreview(index);
    RelayoutWindow(m_hWnd);
}

void MainView_CL::OnSize(HWND hwnd, UINT type, int width, int height) {
    if (ClientSizeChanged(m_lastClientRect, width, height)) {
        ::KillTimer(hwnd, kTimerResizeSettled);
        ::SetTimer(hwnd, kTimerResizeSettled, 500, nullptr);
    }
    ::GetClientRect(hwnd, &m_lastClientRect);
    m_commandBar.HandleOwnerMessage(hwnd, WM_SIZE, type, MAKELPARAM(width, height));
    Layout();
}

LRESULT MainView_CL::OnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    POINT pt{};
    ::GetCursorPos(&pt);
    ::ScreenToClient(hwnd, &pt);
    if (InSplitterZone(pt.x, m_panes[1].place.x)) {
        m_cursorId = IDC_SIZEWE;
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
        return 1;
    }
    m_cursorId = IDC_ARROW;
    return ::DefWindowProcW(hwnd, WM_SETCURSOR, wParam, lParam);
}

void MainView_CL::OnLButtonDown() {
    if (m_cursorId == IDC_ARROW) return;
    // The drag line is drawn across the panes, so the main window may not
    // clip its children while it lasts.
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & ~static_cast<LONG_PTR>(kClipStyles));
    m_bDragging = true;
    m_bLineDrawn = false;
    ::SetCapture(m_hWnd);
}

void MainView_CL::OnLButtonUp() {
    const bool moved = m_bLineDrawn;
    DrawDragLine(true);
    m_bDragging = false;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) | kClipStyles);
    // A press and release without a move keeps the split as it was.
    if (moved) {
        RECT rc{};
        ::GetClientRect(m_hWnd, &rc);
        m_rightShare = ShareAfterDrag(m_line[0].x, rc.right);
    }
    Layout();
    ::ReleaseCapture();
    if (m_pSelection->HasCurrentItem()) RefreshPreview(false, SAVER_MODE_PREVIEW);
}

void MainView_CL::DrawDragLine(bool eraseOnly) {
    WindowDC dc(m_hWnd);
    POINT pt{};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    UniquePen pen(::CreatePen(PS_SOLID, 4, ::GetSysColor(COLOR_BTNSHADOW)));
    const int oldRop = ::SetROP2(dc.get(), R2_XORPEN);
    SelectScope selected(dc.get(), pen.get());
    if (m_bLineDrawn) {
        ::MoveToEx(dc.get(), m_line[0].x, m_line[0].y, nullptr);
        ::LineTo(dc.get(), m_line[1].x, m_line[1].y);
    }
    if (eraseOnly) {
        m_bLineDrawn = false;
    } else {
        RECT rc{};
        ::GetClientRect(m_hWnd, &rc);
        m_line[0] = POINT{pt.x, rc.top};
        m_line[1] = POINT{pt.x, rc.bottom};
        ::MoveToEx(dc.get(), m_line[0].x, m_line[0].y, nullptr);
        ::LineTo(dc.get(), m_line[1].x, m_line[1].y);
        m_bLineDrawn = true;
    }
    ::SetROP2(dc.get(), oldRop);
}

LRESULT MainView_CL::OnNotify(const NMHDR& header) {
    const LRESULT barResult =
        m_commandBar.HandleOwnerMessage(m_hWnd, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    if (header.code == RBN_CHEVRONPUSHED) return barResult;
    if (header.code == TCN_SELCHANGE) {
        const int current = static_cast<int>(::SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0));
        if (header.idFrom == kIdRightPane) {
            ShowRightTab(current);
        } else if (header.idFrom == kIdCategoryTabs) {
            m_listPane.SelectTab(current);
        }
    }
    return 0;
}

void MainView_CL::OnSelectionChanged(int row) {
    CurrentSelection& sel = *m_pSelection;
    if (sel.right_tab != 1) {
        sel.right_tab = 1;
        ::SendMessageW(m_panes[1].window, TCM_SETCURSEL, 1, 0);
        ShowBrowserOrPreview(1);
        RelayoutWindow(m_hWnd);
    }
    if (row == -1) return;

    const int tab = static_cast<int>(::SendMessageW(m_listPane.TabControl(), TCM_GETCURSEL, 0, 0));
    const int slot = m_listPane.CategorySlotOfTab(tab);
    sel.category_slot = slot;
    sel.item_row = row;
    sel.current_item = NoSelectionItem();
    if (slot >= 0 && static_cast<size_t>(slot) < m_catalog.groups.size()) {
        const CategoryGroup& group = m_catalog.groups[static_cast<size_t>(slot)];
        if (row >= 0 && static_cast<size_t>(row) < group.items.size()) {
            const int32_t index = group.items[static_cast<size_t>(row)];
            if (index >= 0 && static_cast<size_t>(index) < m_catalog.items.size())
                sel.current_item = m_catalog.items[static_cast<size_t>(index)];
        }
    }
    // Repaint the view for the new entry before a saver window covers it.
    ::InvalidateRect(m_previewPane.PreviewWindow(), nullptr, TRUE);
    ::UpdateWindow(m_previewPane.PreviewWindow());
    RefreshPreview(false, SAVER_MODE_PREVIEW);
    ::SetTimer(m_hWnd, kTimerFocusList, 500, nullptr);
}

void MainView_CL::RefreshPreview(bool force, SAVER_MODE mode) {
    CurrentSelection& sel = *m_pSelection;
    if (sel.item_row == -1) return;
    if (!PreviewNeedsRestart(sel.current_item, sel.previewed_item, force)) return;
    ScreenSaver_CL& runner = m_listPane.ListObject().Runner();
    runner.Stop();
    const std::wstring program = SaverProgramFor(sel.current_item);
    m_commandBar.SetSaverButtonsEnabled(IsExistingFile(program));
    HWND view = m_previewPane.PreviewWindow();
    if (sel.current_item.large_image != 0 && mode == SAVER_MODE_PREVIEW) {
        RelayoutWindow(view);
    } else if (!sel.current_item.scr.empty()) {
        runner.Start(program.c_str(), view, mode);
    }
    sel.previewed_item = sel.current_item;
}

void MainView_CL::WaitThenRefresh(HWND window) {
    ::KillTimer(m_hWnd, kTimerWaitWindowGone);
    ::SetTimer(m_hWnd, kTimerWaitWindowGone, 200, nullptr);
    m_hWaitWindow = window;
}

void MainView_CL::OnTimer(UINT_PTR id) {
    switch (id) {
    case kTimerResizeSettled:
        ::KillTimer(m_hWnd, id);
        if (m_pSelection->HasCurrentItem()) RefreshPreview(true, SAVER_MODE_PREVIEW);
        break;
    case kTimerWaitWindowGone:
        // Asked without a message: the window may belong to a saver's
        // settings process, and a hung one would block this window too.
        if (m_hWaitWindow && ::IsWindow(m_hWaitWindow)) break;
        ::KillTimer(m_hWnd, id);
        m_hWaitWindow = nullptr;
        RefreshPreview(true, SAVER_MODE_PREVIEW);
        RelayoutWindow(m_listPane.TabControl());
        break;
    case kTimerFocusList:
        ::KillTimer(m_hWnd, id);
        ::SetFocus(m_listPane.ListBox());
        break;
    case kTimerCloseRetry:
    case kTimerCloseLimit:
        if (!BrowserIsLoading() || id == kTimerCloseLimit) {
            CloseBrowser();
            ::KillTimer(m_hWnd, kTimerCloseRetry);
            ::KillTimer(m_hWnd, kTimerCloseLimit);
            ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        }
        break;
    default:
        OnCommandTimer(id);
        break;
    }
}

LRESULT MainView_CL::OnClose(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    m_listPane.ListObject().Runner().Stop();
    if (BrowserIsLoading()) {
        ::SetTimer(hwnd, kTimerCloseRetry, 100, nullptr);
        ::SetTimer(hwnd, kTimerCloseLimit, 4000, nullptr);
        return 0;
    }
    CloseBrowser();
    return ::DefWindowProcW(hwnd, WM_CLOSE, wParam, lParam);
}

void MainView_CL::Teardown() {
    m_settingsRunner.Stop();
    if (m_pSelection->catalog == &m_catalog) m_pSelection->catalog = nullptr;
    m_catalog = SaverCatalog();
    m_previewPane.View().Runner().Stop();
    m_listPane.ListObject().Runner().Stop();
}

} // namespace lum
