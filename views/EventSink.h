#pragma once
// The browser's DWebBrowserEvents2 sink. It lives as long as its
// references: the browser may still hold one after the pane has closed,
// so the pane detaches itself and late events are dropped.
#include <oaidl.h>

namespace lum {

class BrowserWindow_CL;

class EventSink_CL final : public IDispatch {
public:
    explicit EventSink_CL(BrowserWindow_CL* owner) : m_pOwner(owner) {}
    EventSink_CL(const EventSink_CL&) = delete;
    EventSink_CL& operator=(const EventSink_CL&) = delete;

    void Detach() { m_pOwner = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

private:
    ~EventSink_CL() = default;  // only through Release
    void Dispatch(DISPID id, DISPPARAMS* params);

    ULONG m_nRefs = 1;
    BrowserWindow_CL* m_pOwner;
};

} // namespace lum
