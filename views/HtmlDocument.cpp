#include "views/HtmlDocument.h"

#include <oleauto.h>

namespace lum {

namespace {

// A BSTR for one call, freed after it.
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

VARIANT StringVariant(BSTR text) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text;  // borrowed: never cleared
    return v;
}

VARIANT IndexVariant(long index) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = index;
    return v;
}

ComPtr<IHTMLElement> ElementOf(IDispatch* item) {
    ComPtr<IHTMLElement> element;
    if (item) item->QueryInterface(IID_IHTMLElement, element.putVoid());
    return element;
}

} // namespace

int HtmlDocument_CL::Attach(IWebBrowser2* browser) {
    ComPtr<IDispatch> document;
    if (!browser || FAILED(browser->get_Document(document.put())) || !document) return -1;
    ComPtr<IHTMLDocument2> html = document.as<IHTMLDocument2>(IID_IHTMLDocument2);
    if (!html) return -2;
    ComPtr<IHTMLElementCollection> all;
    if (FAILED(html->get_all(all.put())) || !all) return -3;
    m_pDocument = html;
    m_pAll = all;
    return 0;
}

ComPtr<IHTMLElement> HtmlDocument_CL::FindByName(const std::wstring& name) const {
    if (!m_pAll) return {};
    ScopedBstr text(name);
    ComPtr<IDispatch> item;
    m_pAll->item(StringVariant(text.get()), IndexVariant(0), item.put());
    return ElementOf(item.get());
}

ComPtr<IHTMLElement> HtmlDocument_CL::FindByTagAndClass(const std::wstring& tag, const std::wstring& className) const {
    if (!m_pAll) return {};
    ScopedBstr tagText(tag);
    ComPtr<IDispatch> tagged;
    m_pAll->tags(StringVariant(tagText.get()), tagged.put());
    ComPtr<IHTMLElementCollection> list = tagged.as<IHTMLElementCollection>(IID_IHTMLElementCollection);
    long count = 0;
    if (!list || FAILED(list->get_length(&count))) return {};
    for (long i = 0; i < count; ++i) {
        ComPtr<IDispatch> item;
        list->item(IndexVariant(i), IndexVariant(0), item.put());
        ComPtr<IHTMLElement> element = ElementOf(item.get());
        BSTR found = nullptr;
        if (!element || FAILED(element->get_className(&found))) continue;
        const bool same = found && className == found;
        ::SysFreeString(found);
        if (same) return element;
    }
    return {};
}

bool HtmlDocument_CL::SetValue(IHTMLElement* element, const std::wstring& value) {
    if (!element) return false;
    ScopedBstr text(value);
    ComPtr<IHTMLInputElement> input;
    if (SUCCEEDED(element->QueryInterface(IID_IHTMLInputElement, input.putVoid())) && input)
        return SUCCEEDED(input->put_value(text.get()));
    ComPtr<IHTMLTextAreaElement> area;
    if (SUCCEEDED(element->QueryInterface(IID_IHTMLTextAreaElement, area.putVoid())) && area)
        return SUCCEEDED(area->put_value(text.get()));
    return false;
}

bool HtmlDocument_CL::SetAttribute(IHTMLElement* element, const std::wstring& name, const VARIANT& value) {
    if (!element) return false;
    ScopedBstr text(name);
    return SUCCEEDED(element->setAttribute(text.get(), value, 1));
}

bool HtmlDocument_CL::SetFieldValue(const std::wstring& name, const std::wstring& value) {
    return SetValue(FindByName(name).get(), value);
}

bool HtmlDocument_CL::SetElementAttribute(const std::wstring& name, const std::wstring& attribute,
                                          const VARIANT& value) {
    return SetAttribute(FindByName(name).get(), attribute, value);
}

} // namespace lum
