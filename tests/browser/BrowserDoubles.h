#pragma once
// Stand-ins for the browser object's interfaces: a travel log with entries
// made up by the test, a pane that answers from them, a listener that
// records, and events fired through the real sink with hand-built arguments.
#include "views/BrowserWindow.h"
#include "views/EventSink.h"

#include <tlogstg.h>

#include <string>
#include <vector>

namespace lum::test {

class FakeTravelLog final : public ITravelLogStg {
public:
    std::vector<HistoryEntry> back;     // nearest first
    std::vector<HistoryEntry> forward;
    std::vector<int> travelled;         // offsets gone to

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE CreateEntry(LPCWSTR, LPCWSTR, ITravelLogEntry*, BOOL, ITravelLogEntry**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TravelTo(ITravelLogEntry* entry) override;
    HRESULT STDMETHODCALLTYPE EnumEntries(TLENUMF flags, IEnumTravelLogEntry** list) override;
    HRESULT STDMETHODCALLTYPE FindEntries(TLENUMF, LPCWSTR, IEnumTravelLogEntry**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCount(TLENUMF flags, DWORD* count) override;
    HRESULT STDMETHODCALLTYPE RemoveEntry(ITravelLogEntry*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRelativeEntry(int offset, ITravelLogEntry** entry) override;

    ULONG refs = 1;
};

struct RecordingListener : BrowserEventListener_IF {
    std::vector<std::wstring> titles, navigated, completed;
    void OnTitleChange(const std::wstring& t) override { titles.push_back(t); }
    void OnTopNavigateComplete(const std::wstring& u) override { navigated.push_back(u); }
    void OnTopDocumentComplete(const std::wstring& u) override { completed.push_back(u); }
};

// A pane without a browser object whose questions the test answers.
class FakeBrowserPane : public BrowserWindow_CL {
public:
    long readyState = READYSTATE_LOADING;
    FakeTravelLog log;
    std::vector<std::wstring> openedOutside;

protected:
    long ReadyState() override { return readyState; }
    ComPtr<ITravelLogStg> TravelLog() override { return ComPtr<ITravelLogStg>(&log, true); }
    void OpenOutside(const std::wstring& url) override { openedOutside.push_back(url); }
};

// One event argument; strings are owned by the argument.
struct EventArg {
    VARIANT value{};
    VARIANT target{};  // what a by-reference variant points at
    static EventArg String(const wchar_t* text);
    static EventArg StringByRef(const wchar_t* text);
    static EventArg Dispatch(IDispatch* object);
    static EventArg Int(long value);
    static EventArg BoolRef(VARIANT_BOOL* flag);
    EventArg() = default;
    EventArg(EventArg&& other) noexcept;
    EventArg& operator=(EventArg&&) = delete;
    ~EventArg();
};

// Calls the sink's Invoke with the arguments in the event's signature
// order; they are laid into DISPPARAMS in reverse, as browsers do.
HRESULT Fire(IDispatch& sink, DISPID id, std::vector<EventArg> args);

// An IDispatch that stands for a frame; identity is all the pane uses.
ComPtr<IDispatch> NewFrame();

} // namespace lum::test
