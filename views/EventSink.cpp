#include "views/EventSink.h"

#include "views/BrowserWindow.h"
#include "views/EventArguments.h"

#include <exdispid.h>

namespace lum {

HRESULT EventSink_CL::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG EventSink_CL::AddRef() { return ++m_nRefs; }

ULONG EventSink_CL::Release() {
    const ULONG left = --m_nRefs;
    if (left == 0) delete this;
    return left;
}

HRESULT EventSink_CL::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return E_NOTIMPL;
}
HRESULT EventSink_CL::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT EventSink_CL::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT EventSink_CL::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    if (!m_pOwner) return S_OK;
    try {
        Dispatch(id, params);
    } catch (...) {
        // An event that could not be handled is dropped; the browser goes on.
    }
    return S_OK;
}

void EventSink_CL::Dispatch(DISPID id, DISPPARAMS* params) {
    // The owner may detach itself while handling an event; it stays alive
    // until this call returns, as it runs on the same thread.
    BrowserWindow_CL& owner = *m_pOwner;
    switch (id) {
    case DISPID_COMMANDSTATECHANGE:
        owner.OnCommandStateChange();
        break;
    case DISPID_TITLECHANGE:
        if (const wchar_t* title = StringArgument(params, 0)) owner.OnTitleChange(title);
        break;
    case DISPID_NAVIGATECOMPLETE2: {
        IDispatch* frame = DispatchArgument(params, 0);
        const wchar_t* url = StringArgument(params, 1);
        if (frame && url) owner.OnNavigateComplete(frame, url);
        break;
    }
    case DISPID_DOCUMENTCOMPLETE: {
        IDispatch* frame = DispatchArgument(params, 0);
        const wchar_t* url = StringArgument(params, 1);
        if (frame && url) owner.OnDocumentComplete(frame, url);
        break;
    }
    case DISPID_NEWWINDOW3: {
        // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl): the pane never
        // opens a window of its own, whatever the arguments say.
        VARIANT_BOOL* cancel = BoolReferenceArgument(params, 1);
        if (cancel) *cancel = VARIANT_TRUE;
        DWORD flags = 0;
        const wchar_t* url = StringArgument(params, 4);
        if (cancel && url && UnsignedArgument(params, 2, flags)) owner.OnNewWindow(flags, url);
        break;
    }
    default:
        break;
    }
}

} // namespace lum
