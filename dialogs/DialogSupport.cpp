#include "dialogs/DialogSupport.h"

#include <vector>

namespace lum {

std::wstring ControlText(HWND control, int limit) {
    std::vector<wchar_t> buffer(static_cast<size_t>(limit), L'\0');
    const int length = ::GetWindowTextW(control, buffer.data(), limit);
    return std::wstring(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

int ShowNotice(HWND owner, const std::wstring& text, UINT flags) {
    return ::MessageBoxW(owner, text.c_str(), kNoticeCaption, flags);
}

} // namespace lum
