#pragma once
// Finds and changes elements of the page that the browser shows.
#include "base/Scoped.h"

#include <exdisp.h>
#include <mshtml.h>

#include <string>

namespace lum {

// What the page fillings need from a page; the document below is the real
// one, tests give their own.
class FormPage_IF {
public:
    virtual ~FormPage_IF() = default;
    // Sets the value of the input or text area with that name or id.
    virtual bool SetFieldValue(const std::wstring& name, const std::wstring& value) = 0;
    // Sets an attribute of the element with that name or id.
    virtual bool SetElementAttribute(const std::wstring& name, const std::wstring& attribute, const VARIANT& value) = 0;
};

class HtmlDocument_CL : public FormPage_IF {
public:
    HtmlDocument_CL() = default;
    ~HtmlDocument_CL() override = default;

    // 0 on success; -1 the browser has no document; -2 it is not an HTML
    // document; -3 the collection of its elements cannot be had.
    int Attach(IWebBrowser2* browser);

    ComPtr<IHTMLElement> FindByName(const std::wstring& name) const;
    ComPtr<IHTMLElement> FindByTagAndClass(const std::wstring& tag, const std::wstring& className) const;
    // Inputs and text areas take a value; their text cannot be set.
    static bool SetValue(IHTMLElement* element, const std::wstring& value);
    static bool SetAttribute(IHTMLElement* element, const std::wstring& name, const VARIANT& value);

    bool SetFieldValue(const std::wstring& name, const std::wstring& value) override;
    bool SetElementAttribute(const std::wstring& name, const std::wstring& attribute, const VARIANT& value) override;

private:
    ComPtr<IHTMLDocument2> m_pDocument;
    ComPtr<IHTMLElementCollection> m_pAll;
};

} // namespace lum
