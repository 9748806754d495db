#include "tests/browser/BrowserDoubles.h"

namespace lum::test {

namespace {

wchar_t* TaskCopy(const std::wstring& text) {
    auto* copy = static_cast<wchar_t*>(::CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
    if (copy) wcscpy(copy, text.c_str());
    return copy;
}

class FakeEntry final : public ITravelLogEntry {
public:
    FakeEntry(HistoryEntry entry, int offset) : m_entry(std::move(entry)), offset(offset) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (!left) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTitle(LPWSTR* title) override { *title = TaskCopy(m_entry.title); return S_OK; }
    HRESULT STDMETHODCALLTYPE GetURL(LPWSTR* url) override { *url = TaskCopy(m_entry.url); return S_OK; }

private:
    ~FakeEntry() = default;
    HistoryEntry m_entry;
    ULONG m_refs = 1;

public:
    int offset;
};

class FakeEnum final : public IEnumTravelLogEntry {
public:
    explicit FakeEnum(std::vector<HistoryEntry> entries) : m_entries(std::move(entries)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (!left) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, ITravelLogEntry** out, ULONG* fetched) override {
        if (count != 1 || m_next >= m_entries.size()) {
            if (fetched) *fetched = 0;
            return S_FALSE;
        }
        *out = new FakeEntry(m_entries[m_next++], 0);
        if (fetched) *fetched = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override { m_next = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumTravelLogEntry**) override { return E_NOTIMPL; }

private:
    ~FakeEnum() = default;
    std::vector<HistoryEntry> m_entries;
    size_t m_next = 0;
    ULONG m_refs = 1;
};

} // namespace

HRESULT FakeTravelLog::TravelTo(ITravelLogEntry* entry) {
    travelled.push_back(static_cast<FakeEntry*>(entry)->offset);
    return S_OK;
}

HRESULT FakeTravelLog::EnumEntries(TLENUMF flags, IEnumTravelLogEntry** list) {
    *list = new FakeEnum(flags == TLEF_RELATIVE_BACK ? back : forward);
    return S_OK;
}

HRESULT FakeTravelLog::GetCount(TLENUMF flags, DWORD* count) {
    *count = static_cast<DWORD>(flags == TLEF_RELATIVE_BACK ? back.size() : forward.size());
    return S_OK;
}

HRESULT FakeTravelLog::GetRelativeEntry(int offset, ITravelLogEntry** entry) {
    const auto& list = offset < 0 ? back : forward;
    const size_t index = static_cast<size_t>(offset < 0 ? -offset : offset) - 1;
    if (offset == 0 || index >= list.size()) return E_FAIL;
    *entry = new FakeEntry(list[index], offset);
    return S_OK;
}

EventArg EventArg::String(const wchar_t* text) {
    EventArg arg;
    arg.value.vt = VT_BSTR;
    arg.value.bstrVal = ::SysAllocString(text);
    return arg;
}

EventArg EventArg::StringByRef(const wchar_t* text) {
    EventArg arg;
    arg.target.vt = VT_BSTR;
    arg.target.bstrVal = ::SysAllocString(text);
    arg.value.vt = VT_VARIANT | VT_BYREF;
    return arg;  // value.pvarVal is set once the argument has its place
}

EventArg EventArg::Dispatch(IDispatch* object) {
    EventArg arg;
    arg.value.vt = VT_DISPATCH;
    arg.value.pdispVal = object;
    return arg;
}

EventArg EventArg::Int(long value) {
    EventArg arg;
    arg.value.vt = VT_I4;
    arg.value.lVal = value;
    return arg;
}

EventArg EventArg::BoolRef(VARIANT_BOOL* flag) {
    EventArg arg;
    arg.value.vt = VT_BOOL | VT_BYREF;
    arg.value.pboolVal = flag;
    return arg;
}

EventArg::EventArg(EventArg&& other) noexcept : value(other.value), target(other.target) {
    other.value.vt = VT_EMPTY;
    other.target.vt = VT_EMPTY;
}

EventArg::~EventArg() {
    if (value.vt == VT_BSTR) ::SysFreeString(value.bstrVal);
    if (target.vt == VT_BSTR) ::SysFreeString(target.bstrVal);
}

HRESULT Fire(IDispatch& sink, DISPID id, std::vector<EventArg> args) {
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) {
        if (it->value.vt == (VT_VARIANT | VT_BYREF)) it->value.pvarVal = &it->target;
        reversed.push_back(it->value);
    }
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return sink.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

ComPtr<IDispatch> NewFrame() { return ComPtr<IDispatch>(new EventSink_CL(nullptr)); }

} // namespace lum::test
