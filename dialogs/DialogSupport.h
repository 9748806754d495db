#pragma once
// Small pieces the dialogs share: reading a control's text, telling the
// program's own filling of controls from the user's changes, the wait
// cursor, and the notice box.
#include <windows.h>

#include <string>

namespace lum {

constexpr wchar_t kNoticeCaption[] = L"お知らせ";
constexpr wchar_t kAcceptText[] = L"\u3000設定\u3000";
constexpr wchar_t kCancelText[] = L"キャンセル";

// The whole text of a window, read into a buffer of `limit` characters.
std::wstring ControlText(HWND control, int limit = 4096);

// Shows a message box with the caption "お知らせ" owned by `owner`.
int ShowNotice(HWND owner, const std::wstring& text, UINT flags = MB_OK);

// Set while the dialog fills its own controls: the notifications that the
// filling causes are not the user's changes.
class FillingScope {
public:
    explicit FillingScope(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~FillingScope() { m_flag = m_previous; }
    FillingScope(const FillingScope&) = delete;
    FillingScope& operator=(const FillingScope&) = delete;
private:
    bool& m_flag;
    bool m_previous;
};

// The hourglass for as long as the user waits on this thread.
class WaitCursorScope {
public:
    WaitCursorScope() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursorScope() { ::SetCursor(m_previous); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;
private:
    HCURSOR m_previous;
};

} // namespace lum
