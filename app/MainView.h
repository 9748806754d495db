#pragma once
#include "base/CurrentSelection.h"
#include "app/EntryDeletion.h"
#include "base/Scoped.h"
#include "app/MainLayout.h"
#include "saver/ScreenSaver_CL.h"
#include "store/SaverCatalog.h"
#include "views/SaverListTabWindow.h"
#include "views/SaverPreviewTabWindow.h"
#include "views/BrowserEventListener.h"
#include "views/BrowserWindow.h"
#include "views/MenuMain.h"

#include <windows.h>

#include <optional>
#include <string>

namespace lum {

// Window messages and timers of the main window.
constexpr UINT_PTR kTimerResizeSettled = 1136;
constexpr UINT_PTR kTimerWaitWindowGone = 1137;
constexpr UINT_PTR kTimerDeleteWait = 1138;
constexpr UINT_PTR kTimerFullScreenWatch = 1139;
constexpr UINT_PTR kTimerFocusList = 1141;
constexpr UINT_PTR kTimerCloseRetry = 0x87654321;
constexpr UINT_PTR kTimerCloseLimit = 0x87654320;

// The one object behind the main window: owns the collection and the panes
// for the whole run and handles every message of the main window.
class MainView_CL : public BrowserEventListener_IF {
public:
    MainView_CL();
    ~MainView_CL() override;
    MainView_CL(const MainView_CL&) = delete;
    MainView_CL& operator=(const MainView_CL&) = delete;

    virtual LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Stops every saver the view started and frees the collection and the
    // panes' state; after the message loop.
    void Teardown();

    // Where the collection lives; the real settings file unless set before
    // the window is created (tests).
    void SetSettingsPath(std::wstring path) { m_settingsPath = std::move(path); }

    void SetWindow(HWND hwnd) { m_hWnd = hwnd; }
    HWND Window() const { return m_hWnd; }
    SaverCatalog& Catalog() { return m_catalog; }
    SaverListTabWindow_CL& ListPane() { return m_listPane; }
    SaverPreviewTabWindow_CL& PreviewPane() { return m_previewPane; }
    HWND RightPane() const { return m_panes[1].window; }
    HWND BrowserHost() const { return m_browserPane.Window(); }
    BrowserWindow_CL& BrowserPane() { return m_browserPane; }
    MenuMain_CL& CommandBar() { return m_commandBar; }
    HWND Rebar() const { return m_hRebar; }
    // How the browser is hosted; the in-process control where set before
    // the window is created.
    void SetBrowserKind(BrowserKind kind) { m_browserKind = kind; }
    unsigned RightShare() const { return m_rightShare; }
    const PanePlace& PaneOf(int index) const { return m_panes[index].place; }
    bool Dragging() const { return m_bDragging; }

    void Layout();
    void ShowRightTab(int index);
    // Restarts the preview when the selection changed since it was last
    // shown, or always when `force`; `mode` is full screen or preview.
    void RefreshPreview(bool force, SAVER_MODE mode);
    // Refreshes the preview once `window` has gone (a dialog, a settings window).
    void WaitThenRefresh(HWND window);
    // Whether the browser is still loading a page; closing waits for it.
    bool BrowserIsLoading() const { return m_browserPane.IsLoading(); }
    // A confirmed deletion is waiting for the preview saver to end.
    bool DeletionPending() const { return m_pendingDeletion.has_value(); }
    // How long a deletion waits for the preview saver before it gives up.
    void SetDeleteWaitLimit(ULONGLONG milliseconds) { m_deleteWaitLimitMs = milliseconds; }

    // What the browser's page did (BrowserCommands.cpp).
    void OnTitleChange(const std::wstring& title) override;
    void OnTopNavigateComplete(const std::wstring& url) override;
    void OnTopDocumentComplete(const std::wstring& url) override;

private:
    // Command dispatch (MainCommands.cpp): WM_COMMAND, and the commands
    // re-posted to the window as messages of the same number.
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    void OnCommandMessage(UINT id, WPARAM wParam, LPARAM lParam);

    // The browser's commands (BrowserCommands.cpp).
    void OnAddressBarChosen(HWND combo);
    void OnFavourite(int entry);
    void OnHistory(int offset);
    void OnFavouritesMenu(HWND toolbar);
    void OnBrowserCommand(UINT id);
    void OnContextMenu(LPARAM lParam);
    void OnAddFavourite();
    void OnOrganiseFavourites();
    POINT SelectedRowOnScreen() const;

    // Editing the collection and the program (EditCommands.cpp).
    void OnEditInformation();
    void OnAppSettings();
    void OnVersion();

    // Growing the collection and its pictures (CollectionCommands.cpp).
    void OnFindNewSavers();
    void OnChangeThumbnail();

    // Running, setting and deleting savers (SaverCommands.cpp); the timers
    // that finish them answer true.
    void OnSaverSettings();
    void OnDeleteEntry();
    void OnRunFullScreen();
    void OnSetSystemSaver();
    bool OnCommandTimer(UINT_PTR id);
    void OnDeleteWaitTick();
    void DeleteEntry(const PendingDeletion& entry);
    void OnFullScreenTick();

    LRESULT OnCreate(HWND hwnd);
    void CreateChildWindows();
    void OnSize(HWND hwnd, UINT type, int width, int height);
    LRESULT OnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam);
    void OnLButtonDown();
    void OnLButtonUp();
    void DrawDragLine(bool eraseOnly);
    LRESULT OnNotify(const NMHDR& header);
    void OnSelectionChanged(int row);
    void OnTimer(UINT_PTR id);
    LRESULT OnClose(HWND hwnd, WPARAM wParam, LPARAM lParam);
    void CloseBrowser() { m_browserPane.CloseBrowser(); }
    void ShowBrowserOrPreview(int index);

    struct Pane {
        PanePlace place;
        HWND window = nullptr;
    };

    CurrentSelection* m_pSelection;
    HWND m_hWnd = nullptr;
    unsigned m_rightShare = kDefaultRightShare;
    Pane m_panes[2];
    const wchar_t* m_cursorId = IDC_ARROW;
    bool m_bDragging = false;
    bool m_bLineDrawn = false;
    POINT m_line[2] = {};
    SaverListTabWindow_CL m_listPane;
    SaverPreviewTabWindow_CL m_previewPane;
    BrowserWindow_CL m_browserPane;  // its window is the browser's host
    BrowserKind m_browserKind = BrowserKind::Automatic;
    MenuMain_CL m_commandBar;
    HWND m_hRebar = nullptr;  // the command bar's rebar, once it exists
    SaverCatalog m_catalog;
    UniqueFont m_paneFont;  // null: the panes use the stock GUI font
    ScreenSaver_CL m_settingsRunner;
    HWND m_hWaitWindow = nullptr;
    RECT m_lastClientRect = {};
    std::wstring m_settingsPath;
    bool m_bAskingDelete = false;
    std::optional<PendingDeletion> m_pendingDeletion;
    ULONGLONG m_deleteWaitLimitMs = SaverRunnerLimits().closeWaitMs + 5000;
    HWND m_hFullScreenWindow = nullptr;  // the full-screen saver's window, once seen
    bool m_bFullScreenSettling = false;  // it has ended; the preview comes back next tick
};

} // namespace lum
