#include "toolkit/SubClassDialog.h"

#include "toolkit/GuardedDispatch.h"

#include <cstring>

namespace lum {

namespace {
void Put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
void Put32(std::uint8_t* at, std::uint32_t value) {
    Put16(at, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(at + 2, static_cast<std::uint16_t>(value >> 16));
}
} // namespace

void WriteEmptyDialogTemplate(std::uint8_t* buffer, std::size_t size) {
    if (!buffer) return;
    std::memset(buffer, 0, size);
    if (size < sizeof(DLGTEMPLATE) + 3 * sizeof(WORD)) return;
    Put32(buffer + 0, kDialogTemplateStyle);   // style
    Put32(buffer + 4, 0);                      // dwExtendedStyle
    Put16(buffer + 8, 0);                      // cdit
    Put16(buffer + 10, 0);                     // x
    Put16(buffer + 12, 0);                     // y
    Put16(buffer + 14, static_cast<std::uint16_t>(kDialogTemplateWidth));
    Put16(buffer + 16, static_cast<std::uint16_t>(kDialogTemplateHeight));
}

INT_PTR SubClassDialogBase_CL::HandleDialogMessage(HWND hwnd, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_CLOSE:
        ::EndDialog(hwnd, 0);
        return 0;
    case WM_INITDIALOG:
        ::ShowWindow(hwnd, SW_SHOW);
        return 1;
    default:
        return 0;
    }
}

INT_PTR SubClassDialogBase_CL::RunModal(HWND owner) {
    if (!m_pTemplate) m_pTemplate = std::make_unique<std::uint8_t[]>(kDialogTemplateSize);
    WriteEmptyDialogTemplate(m_pTemplate.get(), kDialogTemplateSize);
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                                     reinterpret_cast<const DLGTEMPLATE*>(m_pTemplate.get()), owner,
                                     &SubClassDialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK SubClassDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<SubClassDialogBase_CL*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!dialog) {
        // What the dialog manager sends before WM_INITDIALOG has no object to go to.
        if (message != WM_INITDIALOG || !lParam) return FALSE;
        dialog = reinterpret_cast<SubClassDialogBase_CL*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, lParam);
        dialog->m_hWnd = hwnd;
        dialog->m_hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(dialog->m_hFont), TRUE);
    }
    // Escape reaches a dialog as IDCANCEL from no control (no control of ours
    // carries that id): it closes the dialog as the close button does, through
    // the dialog's own WM_CLOSE handling.
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && lParam == 0) {
        ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return TRUE;
    }
    // FALSE leaves the message to the dialog manager's default handling.
    return GuardedDispatch(
        L"dialog", message, [&] { return dialog->HandleDialogMessage(hwnd, message, wParam, lParam); },
        [] { return INT_PTR{FALSE}; });
}

POINT CenteredPosition(const RECT& over, int width, int height) {
    const int overWidth = over.right - over.left;
    const int overHeight = over.bottom - over.top;
    return POINT{over.left + (overWidth - width) / 2, over.top + (overHeight - height) / 2};
}

void CenterOverOwner(HWND owner, HWND dialog) {
    ::SetParent(dialog, nullptr);
    RECT over{};
    if (!owner || !::GetWindowRect(owner, &over)) {
        if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0)) {
            over = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        }
    }
    RECT client{};
    ::GetClientRect(dialog, &client);
    const POINT at = CenteredPosition(over, client.right, client.bottom);
    ::SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE);
}

} // namespace lum
