#pragma once
// The browser pane: the system's web browser inside the right pane's host
// window. The out-of-process browser application is taken in as a child
// window; where it cannot be created, the in-process browser control is
// hosted in the same place. Its events reach a listener (the main view);
// back and forward history lists feed the command bar's menus.
#include "base/Scoped.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/SubClassWindow.h"
#include "views/BrowserEventListener.h"
#include "views/BrowserRules.h"

#include <exdisp.h>
#include <ocidl.h>
#include <oleidl.h>
#include <tlogstg.h>

#include <memory>
#include <string>
#include <vector>

namespace lum {

class EventSink_CL;
class BrowserSite_CL;
class HtmlDocument_CL;

enum class BrowserKind {
    Automatic,   // the browser application, else the in-process control
    InProcess,   // the in-process control only
};

class BrowserWindow_CL : public SubClassWindowBase_CL {
public:
    BrowserWindow_CL();
    ~BrowserWindow_CL() override;  // closes the browser

    // Puts a browser into the host window; S_OK or E_FAIL (the pane stays empty).
    HRESULT CreateBrowser(HWND host, BrowserKind kind = BrowserKind::Automatic);
    // Disconnects the events and ends the browser; safe to call twice.
    void CloseBrowser();
    bool HasBrowser() const { return static_cast<bool>(m_pWebBrowser); }
    bool IsInProcess() const { return static_cast<bool>(m_pSite); }
    // True while a navigation is being followed; closing waits for it.
    bool IsLoading() const { return static_cast<bool>(m_pTopFrame); }

    void SetListener(BrowserEventListener_IF* listener) { m_pListener = listener; }
    // The sink the browser's events arrive at, made on first use; after
    // CloseBrowser it drops whatever still arrives.
    ComPtr<IDispatch> EventSink();

    // Each does nothing without a browser.
    void Navigate(const std::wstring& url);
    void GoBack();
    void GoForward();
    void Stop();
    void Refresh();
    void TravelTo(int offset);
    HRESULT AddToFavorites();

    void RefreshHistory();
    const std::vector<HistoryEntry>& BackEntries() const { return m_BackEntries; }
    const std::vector<HistoryEntry>& ForwardEntries() const { return m_ForwardEntries; }
    // Fills the menu with one owner-drawn item per entry: back items from
    // id 3155 with image 0, forward items from 3256 with image 1.
    void BuildHistoryMenu(PopupMenu_CL& menu, bool forward);

    // The page that is shown, for the page fillings; null when the browser
    // has no HTML document.
    virtual std::unique_ptr<HtmlDocument_CL> CurrentDocument();

    // The browser's own top window (null for the in-process control).
    HWND BrowserWnd() const { return m_hBrowserWnd; }

    // The event sink hands on checked, typed events.
    void OnCommandStateChange();
    void OnTitleChange(const std::wstring& title);
    void OnNavigateComplete(IDispatch* frame, const std::wstring& url);
    void OnDocumentComplete(IDispatch* frame, const std::wstring& url);
    void OnNewWindow(DWORD flags, const std::wstring& url);

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The system's dialog for organising the favourites; false where the
    // system has none.
    static bool OrganizeFavorites(HWND owner);

protected:
    // What the pane asks of the browser object; test doubles answer instead.
    virtual long ReadyState();
    virtual ComPtr<ITravelLogStg> TravelLog();
    // Opens an address in a browser window of its own, outside the pane.
    virtual void OpenOutside(const std::wstring& url);

private:
    HRESULT CreateOutOfProcess(HWND host);
    HRESULT CreateInProcess(HWND host);
    HRESULT Connect();
    void FitToHost();
    void AfterEvent();

    HWND m_hBrowserWnd = nullptr;
    ComPtr<IWebBrowser2> m_pWebBrowser;
    ComPtr<IConnectionPoint> m_pConnectionPoint;
    DWORD m_dwAdviseCookie = 0;
    ComPtr<EventSink_CL> m_pEventSink;     // our reference, given up at closing
    ComPtr<IOleObject> m_pOleObject;       // the in-process control
    ComPtr<BrowserSite_CL> m_pSite;        // and its site
    ComPtr<IDispatch> m_pTopFrame;         // compared by identity only
    std::wstring m_strCurrentUrl;
    BrowserEventListener_IF* m_pListener = nullptr;
    std::vector<HistoryEntry> m_ForwardEntries;
    std::vector<HistoryEntry> m_BackEntries;
};

// Reads up to 50 entries of a travel log list (TLEF_RELATIVE_BACK or
// TLEF_RELATIVE_FORE), nearest page first.
std::vector<HistoryEntry> ReadTravelLog(ITravelLogStg* log, DWORD which);

// The address an Internet shortcut file points at; empty when unreadable.
std::wstring ReadShortcutUrl(const std::wstring& path);

} // namespace lum
