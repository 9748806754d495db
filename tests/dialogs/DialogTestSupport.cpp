#include "tests/dialogs/DialogTestSupport.h"

#include "base/CurrentSelection.h"

namespace lum::test {

CatalogScope::CatalogScope(std::vector<std::wstring> categories) {
    catalog.categories = std::move(categories);
    catalog.settings_path = temp / L"Lumenary.ini";
    TheCurrentSelection() = CurrentSelection();
    TheCurrentSelection().catalog = &catalog;
}

CatalogScope::~CatalogScope() { TheCurrentSelection() = CurrentSelection(); }

void TypeReplacing(HWND edit, const std::wstring& text) {
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t ch : text) ::SendMessageW(edit, WM_CHAR, ch, 1);
}

static bool IsComboBox(HWND control) {
    wchar_t cls[16] = {};
    ::GetClassNameW(control, cls, 16);
    return ::lstrcmpiW(cls, L"ComboBox") == 0;
}

void Notify(HWND dialog, HWND control, int code, int index) {
    if (index >= 0)
        ::SendMessageW(control, IsComboBox(control) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

std::vector<std::wstring> ListTexts(HWND list) {
    const bool combo = IsComboBox(list);
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(::SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        ::SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

bool IsEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

RECT ClientRectOf(HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace lum::test
