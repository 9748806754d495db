#include "views/ForumFilling.h"

#include "views/BrowserRules.h"

#include <cstring>

namespace lum {

namespace {

struct GlobalMemoryTraits {
    static HGLOBAL invalid() noexcept { return nullptr; }
    static bool valid(HGLOBAL h) noexcept { return h != nullptr; }
    static void close(HGLOBAL h) noexcept { ::GlobalFree(h); }
};
using UniqueGlobal = Owned<HGLOBAL, GlobalMemoryTraits>;

class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() { if (m_open) ::CloseClipboard(); }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool open() const { return m_open; }

private:
    bool m_open;
};

std::wstring ThumbnailPathOf(const SaverItem& item) {
    return item.image.empty() ? item.folder + L"\\image.png" : item.image;
}

} // namespace

bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    if (!memory) return false;
    void* target = ::GlobalLock(memory.get());
    if (!target) return false;
    std::memcpy(target, text.c_str(), bytes);
    ::GlobalUnlock(memory.get());

    ClipboardScope clipboard(owner);
    if (!clipboard.open() || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

void FillForumForm(FormPage_IF& page, const SaverItem& item, HWND clipboardOwner) {
    page.SetFieldValue(L"dai", item.title);
    page.SetFieldValue(L"msg", ForumMessage(item));
    PutTextOnClipboard(clipboardOwner, ThumbnailPathOf(item));
    VARIANT checked;
    ::VariantInit(&checked);
    checked.vt = VT_I4;
    checked.lVal = 1;
    page.SetElementAttribute(L"pre", L"checked", checked);
}

} // namespace lum
