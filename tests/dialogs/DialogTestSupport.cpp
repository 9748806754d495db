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

void PickComboItem(HWND dialog, HWND combo, int index) {
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

void Click(HWND dialog, HWND button) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
}

std::wstring ComboText(HWND combo, int index) {
    wchar_t text[512] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ListText(HWND list, int index) {
    wchar_t text[512] = {};
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::wstring> ListTexts(HWND list) {
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) texts.push_back(ListText(list, i));
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
