#include "views/BrowserWindow.h"

#include "base/SystemFolder.h"
#include "base/Messages.h"
#include "views/BrowserSite.h"
#include "views/EventSink.h"
#include "views/HtmlDocument.h"

#include <exdispid.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <intshcut.h>
#include <mshtml.h>

namespace lum {

namespace {

// Not every SDK's import library carries these two.
const IID kIidTravelLogStg = {0x7ebfdd80, 0xad18, 0x11d3, {0xa4, 0xc5, 0x00, 0xc0, 0x4f, 0x72, 0xd6, 0xb8}};
const CLSID kClsidInternetShortcut = {0xfbf23b40, 0xe3f0, 0x101b, {0x84, 0x88, 0x00, 0xaa, 0x00, 0x3e, 0x56, 0xf8}};

constexpr DWORD kBrowserCloseWaitMs = 1500;
constexpr OLECMDID kAddToFavouritesCommand = static_cast<OLECMDID>(8);  // SBCMDID_ADDTOFAVORITES

class ScopedBstr {
public:
    explicit ScopedBstr(const std::wstring& text)
        : m_bstr(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~ScopedBstr() { ::SysFreeString(m_bstr); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR get() const { return m_bstr; }

private:
    BSTR m_bstr;
};

struct CoTaskText {
    wchar_t* text = nullptr;
    ~CoTaskText() { ::CoTaskMemFree(text); }
    std::wstring value() const { return text ? text : L""; }
};

void NavigateBrowser(IWebBrowser2* browser, const std::wstring& url, long flags) {
    ScopedBstr address(url);
    VARIANT flagsArg;
    ::VariantInit(&flagsArg);
    if (flags) {
        flagsArg.vt = VT_I4;
        flagsArg.lVal = flags;
    }
    VARIANT empty;
    ::VariantInit(&empty);
    browser->Navigate(address.get(), &flagsArg, &empty, &empty, &empty);
}

// Waits until the process behind the window has ended, at most `ms`.
void WaitForWindowProcess(HWND window, DWORD ms) {
    DWORD processId = 0;
    if (!window || !::GetWindowThreadProcessId(window, &processId) || processId == ::GetCurrentProcessId()) return;
    UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (process) ::WaitForSingleObject(process.get(), ms);
}

// The browser's window belongs to another process, which may be busy (a
// slow name lookup): placing it must not wait for that process's answer.
void PlaceForeignWindow(HWND window, const RECT& area, bool repaint) {
    ::SetWindowPos(window, nullptr, 0, 0, area.right, area.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS | (repaint ? 0 : SWP_NOREDRAW));
}

} // namespace

BrowserWindow_CL::BrowserWindow_CL() = default;

BrowserWindow_CL::~BrowserWindow_CL() { CloseBrowser(); }

HRESULT BrowserWindow_CL::CreateBrowser(HWND host, BrowserKind kind) {
    CloseBrowser();
    if (!host) return E_FAIL;
    HRESULT hr = kind == BrowserKind::Automatic ? CreateOutOfProcess(host) : E_FAIL;
    if (FAILED(hr)) {
        CloseBrowser();
        hr = CreateInProcess(host);
    }
    if (SUCCEEDED(hr)) hr = Connect();
    if (SUCCEEDED(hr)) hr = m_pWebBrowser->put_Visible(VARIANT_TRUE);
    if (FAILED(hr)) {
        CloseBrowser();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT BrowserWindow_CL::CreateOutOfProcess(HWND host) {
    HRESULT hr = ::CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER, IID_IWebBrowser2,
                                    m_pWebBrowser.putVoid());
    if (FAILED(hr) || !m_pWebBrowser) return E_FAIL;
    m_pWebBrowser->put_FullScreen(VARIANT_TRUE);
    SHANDLE_PTR window = 0;
    if (FAILED(m_pWebBrowser->get_HWND(&window)) || !window) return E_FAIL;
    m_hBrowserWnd = reinterpret_cast<HWND>(window);
    // Where full-screen mode is not offered the frame keeps its caption and
    // borders; as a child of the pane it needs neither.
    const LONG_PTR style = ::GetWindowLongPtrW(m_hBrowserWnd, GWL_STYLE);
    ::SetWindowLongPtrW(m_hBrowserWnd, GWL_STYLE,
                        (style & ~static_cast<LONG_PTR>(WS_POPUP | WS_CAPTION | WS_THICKFRAME)) | WS_CHILD);
    ::SetParent(m_hBrowserWnd, host);
    RECT rc{};
    ::GetClientRect(host, &rc);
    PlaceForeignWindow(m_hBrowserWnd, rc, false);
    return S_OK;
}

HRESULT BrowserWindow_CL::CreateInProcess(HWND host) {
    HRESULT hr = ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    m_pOleObject.putVoid());
    if (FAILED(hr) || !m_pOleObject) return E_FAIL;
    m_pSite = ComPtr<BrowserSite_CL>(new BrowserSite_CL(host));
    if (FAILED(m_pOleObject->SetClientSite(m_pSite.get()))) return E_FAIL;
    RECT rc{};
    ::GetClientRect(host, &rc);
    if (FAILED(m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_pSite.get(), 0, host, &rc)))
        return E_FAIL;
    m_pWebBrowser = m_pOleObject.as<IWebBrowser2>(IID_IWebBrowser2);
    return m_pWebBrowser ? S_OK : E_FAIL;
}

HRESULT BrowserWindow_CL::Connect() {
    auto container = m_pWebBrowser.as<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container || FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, m_pConnectionPoint.put())))
        return E_FAIL;
    DWORD cookie = 0;
    if (FAILED(m_pConnectionPoint->Advise(EventSink().get(), &cookie))) return E_FAIL;
    m_dwAdviseCookie = cookie;
    return S_OK;
}

ComPtr<IDispatch> BrowserWindow_CL::EventSink() {
    if (!m_pEventSink) m_pEventSink = ComPtr<EventSink_CL>(new EventSink_CL(this));
    return ComPtr<IDispatch>(m_pEventSink.get(), true);
}

void BrowserWindow_CL::CloseBrowser() {
    if (m_pConnectionPoint && m_dwAdviseCookie) m_pConnectionPoint->Unadvise(m_dwAdviseCookie);
    m_dwAdviseCookie = 0;
    // The browser may still hold the sink: events after this are dropped.
    if (m_pEventSink) m_pEventSink->Detach();
    m_pEventSink.reset();
    m_pConnectionPoint.reset();

    if (m_pOleObject) {
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(nullptr);
    } else if (m_pWebBrowser) {
        // Some systems leave the browser's process running after Quit; its
        // window's close ends it there.
        const HWND window = m_hBrowserWnd;
        if (FAILED(m_pWebBrowser->Quit()) && window) ::PostMessageW(window, WM_CLOSE, 0, 0);
        m_pWebBrowser.reset();
        WaitForWindowProcess(window, kBrowserCloseWaitMs);
    }
    m_pWebBrowser.reset();
    m_pOleObject.reset();
    m_pSite.reset();
    m_pTopFrame.reset();
    m_hBrowserWnd = nullptr;
}

void BrowserWindow_CL::Navigate(const std::wstring& url) {
    if (m_pWebBrowser) NavigateBrowser(m_pWebBrowser.get(), url, 0);
}

void BrowserWindow_CL::GoBack() { if (m_pWebBrowser) m_pWebBrowser->GoBack(); }
void BrowserWindow_CL::GoForward() { if (m_pWebBrowser) m_pWebBrowser->GoForward(); }
void BrowserWindow_CL::Stop() { if (m_pWebBrowser) m_pWebBrowser->Stop(); }
void BrowserWindow_CL::Refresh() { if (m_pWebBrowser) m_pWebBrowser->Refresh(); }

long BrowserWindow_CL::ReadyState() {
    READYSTATE state = READYSTATE_UNINITIALIZED;
    if (m_pWebBrowser) m_pWebBrowser->get_ReadyState(&state);
    return state;
}

ComPtr<ITravelLogStg> BrowserWindow_CL::TravelLog() {
    ComPtr<ITravelLogStg> log;
    auto services = m_pWebBrowser.as<IServiceProvider>(IID_IServiceProvider);
    if (services) services->QueryService(kIidTravelLogStg, kIidTravelLogStg, log.putVoid());
    return log;
}

std::vector<HistoryEntry> ReadTravelLog(ITravelLogStg* log, DWORD which) {
    std::vector<HistoryEntry> entries;
    DWORD count = 0;
    if (!log || FAILED(log->GetCount(which, &count))) return entries;
    const size_t wanted = HistoryEntriesToRead(static_cast<long>(count));
    ComPtr<IEnumTravelLogEntry> list;
    if (wanted == 0 || FAILED(log->EnumEntries(which, list.put())) || !list) return entries;
    while (entries.size() < wanted) {
        ComPtr<ITravelLogEntry> entry;
        ULONG fetched = 0;
        if (list->Next(1, entry.put(), &fetched) != S_OK || fetched != 1 || !entry) break;
        CoTaskText title;
        CoTaskText url;
        entry->GetTitle(&title.text);
        entry->GetURL(&url.text);
        entries.push_back(HistoryEntry{title.value(), url.value()});
    }
    return entries;
}

void BrowserWindow_CL::RefreshHistory() {
    ComPtr<ITravelLogStg> log = TravelLog();
    m_BackEntries = ReadTravelLog(log.get(), TLEF_RELATIVE_BACK);
    m_ForwardEntries = ReadTravelLog(log.get(), TLEF_RELATIVE_FORE);
}

void BrowserWindow_CL::TravelTo(int offset) {
    ComPtr<ITravelLogStg> log = TravelLog();
    ComPtr<ITravelLogEntry> entry;
    if (log && SUCCEEDED(log->GetRelativeEntry(offset, entry.put())) && entry) log->TravelTo(entry.get());
}

void BrowserWindow_CL::BuildHistoryMenu(PopupMenu_CL& menu, bool forward) {
    menu.CreatePopup();
    const std::vector<HistoryEntry>& entries = forward ? m_ForwardEntries : m_BackEntries;
    const UINT first = forward ? kIdHistoryForwardFirst : kIdHistoryBackFirst;
    const UINT last = forward ? kIdHistoryForwardLast : kIdHistoryBackLast;
    for (size_t i = 0; i < entries.size() && first + i <= last; ++i) {
        MenuEntry_CL* item = menu.GetEntry(menu.EntryCount());
        item->m_Info.wID = first + static_cast<UINT>(i);
        item->m_nImage = forward ? 1 : 0;
        menu.AppendItem(*item, entries[i].title.empty() ? entries[i].url : entries[i].title);
    }
}

HRESULT BrowserWindow_CL::AddToFavorites() {
    if (!m_pWebBrowser) return E_FAIL;
    ComPtr<IShellBrowser> shell;
    if (FAILED(::IUnknown_QueryService(m_pWebBrowser.get(), SID_STopLevelBrowser, IID_IShellBrowser,
                                       shell.putVoid())) || !shell)
        return E_FAIL;
    auto target = shell.as<IOleCommandTarget>(IID_IOleCommandTarget);
    if (!target) return E_FAIL;
    // The browser adds the page that has the keyboard focus.
    ComPtr<IDispatch> document;
    if (SUCCEEDED(m_pWebBrowser->get_Document(document.put())) && document) {
        auto html = document.as<IHTMLDocument2>(IID_IHTMLDocument2);
        ComPtr<IHTMLWindow2> window;
        if (html && SUCCEEDED(html->get_parentWindow(window.put())) && window) window->focus();
    }
    return SUCCEEDED(target->Exec(&CGID_Explorer, kAddToFavouritesCommand, OLECMDEXECOPT_PROMPTUSER, nullptr,
                                  nullptr))
               ? S_OK
               : E_FAIL;
}

bool BrowserWindow_CL::OrganizeFavorites(HWND owner) {
    const std::wstring path = SystemFolderPath(L"ieframe.dll");
    if (path.empty()) return false;
    UniqueModule library(::LoadLibraryW(path.c_str()));
    if (!library) return false;
    using OrganizeFn = BOOL(WINAPI*)(HWND, LPWSTR);
    const FARPROC proc = ::GetProcAddress(library.get(), "DoOrganizeFavDlgW");
    if (!proc) return false;
    const auto organize = reinterpret_cast<OrganizeFn>(reinterpret_cast<void (*)()>(proc));
    return organize(owner, nullptr) != FALSE;
}

std::unique_ptr<HtmlDocument_CL> BrowserWindow_CL::CurrentDocument() {
    auto document = std::make_unique<HtmlDocument_CL>();
    if (document->Attach(m_pWebBrowser.get()) != 0) return nullptr;
    return document;
}

void BrowserWindow_CL::OpenOutside(const std::wstring& url) {
    ComPtr<IWebBrowser2> other;
    if (FAILED(::CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER, IID_IWebBrowser2,
                                  other.putVoid())) || !other)
        return;
    other->put_Visible(VARIANT_TRUE);
    NavigateBrowser(other.get(), url, 0);
}

void BrowserWindow_CL::AfterEvent() { RefreshHistory(); }

void BrowserWindow_CL::OnCommandStateChange() {
    if (ReadyState() == READYSTATE_COMPLETE) m_pTopFrame.reset();
    AfterEvent();
}

void BrowserWindow_CL::OnTitleChange(const std::wstring& title) {
    RefreshHistory();
    if (m_pListener) m_pListener->OnTitleChange(title);
}

void BrowserWindow_CL::OnNavigateComplete(IDispatch* frame, const std::wstring& url) {
    if (!m_pTopFrame) {
        m_pTopFrame = ComPtr<IDispatch>(frame, true);
        m_strCurrentUrl = url;
    }
    if (m_pListener && m_pTopFrame.get() == frame) m_pListener->OnTopNavigateComplete(url);
    AfterEvent();
}

void BrowserWindow_CL::OnDocumentComplete(IDispatch* frame, const std::wstring&) {
    if (m_pTopFrame && m_pTopFrame.get() == frame) {
        // Cleared after the listener, which may still ask whether the page loads.
        if (m_pListener) m_pListener->OnTopDocumentComplete(m_strCurrentUrl);
        m_pTopFrame.reset();
    }
    AfterEvent();
}

void BrowserWindow_CL::OnNewWindow(DWORD flags, const std::wstring& url) {
    if (ShouldOpenNewWindow(flags, url)) OpenOutside(url);
}

void BrowserWindow_CL::FitToHost() {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    if (m_hBrowserWnd) PlaceForeignWindow(m_hBrowserWnd, rc, true);
    if (m_pOleObject) {
        auto inPlace = m_pOleObject.as<IOleInPlaceObject>(IID_IOleInPlaceObject);
        if (inPlace) inPlace->SetObjectRects(&rc, &rc);
    }
}

LRESULT BrowserWindow_CL::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        const LRESULT result = SubClassWindowBase_CL::HandleMessage(hwnd, message, wParam, lParam);
        FitToHost();
        return result;
    }
    return SubClassWindowBase_CL::HandleMessage(hwnd, message, wParam, lParam);
}

std::wstring ReadShortcutUrl(const std::wstring& path) {
    ComPtr<IUniformResourceLocatorW> shortcut;
    if (FAILED(::CoCreateInstance(kClsidInternetShortcut, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IUniformResourceLocatorW, shortcut.putVoid())) || !shortcut)
        return L"";
    auto file = shortcut.as<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Load(path.c_str(), STGM_SHARE_DENY_NONE))) return L"";
    CoTaskText url;
    if (FAILED(shortcut->GetURL(&url.text))) return L"";
    return url.value();
}

} // namespace lum
