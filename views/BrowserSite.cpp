#include "views/BrowserSite.h"

namespace lum {

HRESULT BrowserSite_CL::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *object = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *object = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
        *object = static_cast<IOleInPlaceFrame*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG BrowserSite_CL::Release() {
    const ULONG left = --m_nRefs;
    if (left == 0) delete this;
    return left;
}

HRESULT BrowserSite_CL::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT BrowserSite_CL::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT BrowserSite_CL::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = m_hHost;
    return S_OK;
}

HRESULT BrowserSite_CL::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, RECT* pos,
                                         RECT* clip, OLEINPLACEFRAMEINFO* info) {
    if (!frame || !doc || !pos || !clip) return E_POINTER;
    *frame = this;
    AddRef();
    *doc = nullptr;
    ::GetClientRect(m_hHost, pos);
    *clip = *pos;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = ::GetAncestor(m_hHost, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

} // namespace lum
