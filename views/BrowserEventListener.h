#pragma once
// Who hears what the browser pane's page did. The pane follows the top
// frame of each navigation and reports only its events here.
#include <string>

namespace lum {

class BrowserEventListener_IF {
public:
    virtual ~BrowserEventListener_IF() = default;
    virtual void OnTitleChange(const std::wstring& title) = 0;
    // The followed frame reached `url`.
    virtual void OnTopNavigateComplete(const std::wstring& url) = 0;
    // The followed frame's document has loaded.
    virtual void OnTopDocumentComplete(const std::wstring& url) = 0;
};

} // namespace lum
