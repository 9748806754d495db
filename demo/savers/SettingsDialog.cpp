#include "demo/savers/DialogTemplate.h"
#include "demo/savers/SaverSettings.h"
#include "demo/savers/SaverWindow.h"

#include <commctrl.h>

#include <algorithm>

namespace lum::demo {

namespace {

constexpr WORD kLabelId = 100;   // + setting index
constexpr WORD kControlId = 200; // + setting index: trackbar or combo box
constexpr WORD kValueId = 300;   // + setting index: number beside a trackbar
constexpr short kRowHeight = 30;

struct DialogState {
    const SaverDefinition* saver;
    std::vector<int> values;
};

void ShowValue(HWND dialog, size_t index) {
    const LRESULT position = ::SendDlgItemMessageW(dialog, kControlId + static_cast<int>(index), TBM_GETPOS, 0, 0);
    ::SetDlgItemInt(dialog, kValueId + static_cast<int>(index), static_cast<UINT>(position), TRUE);
}

void FillControls(HWND dialog, const DialogState& state) {
    for (size_t i = 0; i < state.saver->settings.size(); ++i) {
        const SettingDef& setting = state.saver->settings[i];
        HWND control = ::GetDlgItem(dialog, kControlId + static_cast<int>(i));
        if (setting.choices.empty()) {
            ::SendMessageW(control, TBM_SETRANGEMIN, FALSE, setting.minimum);
            ::SendMessageW(control, TBM_SETRANGEMAX, FALSE, setting.maximum);
            ::SendMessageW(control, TBM_SETPAGESIZE, 0, std::max(1, (setting.maximum - setting.minimum) / 10));
            ::SendMessageW(control, TBM_SETPOS, TRUE, state.values[i]);
            ShowValue(dialog, i);
        } else {
            for (const std::wstring& choice : setting.choices)
                ::SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
            ::SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(state.values[i]), 0);
        }
    }
}

void ReadControls(HWND dialog, DialogState& state) {
    for (size_t i = 0; i < state.saver->settings.size(); ++i) {
        const SettingDef& setting = state.saver->settings[i];
        HWND control = ::GetDlgItem(dialog, kControlId + static_cast<int>(i));
        const LRESULT value = setting.choices.empty() ? ::SendMessageW(control, TBM_GETPOS, 0, 0)
                                                   : ::SendMessageW(control, CB_GETCURSEL, 0, 0);
        state.values[i] = ClampSetting(setting, static_cast<int>(value));
    }
}

INT_PTR HandleDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        FillControls(dialog, *reinterpret_cast<DialogState*>(lParam));
        return TRUE;
    }
    auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (!state) return FALSE;
    switch (message) {
    case WM_HSCROLL: {
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id >= kControlId && id < kControlId + static_cast<int>(state->saver->settings.size()))
            ShowValue(dialog, static_cast<size_t>(id - kControlId));
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            ReadControls(dialog, *state);
            SaveSettings(*state->saver, state->values);
            ::EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleDialog(dialog, message, wParam, lParam);
    } catch (...) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
}

} // namespace

bool ShowSettingsDialog(const SaverDefinition& saver, HWND owner) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    const short width = 230;
    const short rows = static_cast<short>(saver.settings.size());
    const short height = static_cast<short>(34 + rows * kRowHeight + 28);
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, width, height,
                          saver.title + L" の設定", 9, L"MS Shell Dlg");
    dialog.AddItem(SS_LEFT, 10, 8, 210, 10, 0xFFFF, L"", 0x0082, L"Lumenary デモ スクリーンセーバー");
    for (short i = 0; i < rows; ++i) {
        const SettingDef& setting = saver.settings[static_cast<size_t>(i)];
        const short y = static_cast<short>(28 + i * kRowHeight);
        dialog.AddItem(SS_LEFT, 10, y, 210, 10, static_cast<WORD>(kLabelId + i), L"", 0x0082, setting.label);
        if (setting.choices.empty()) {
            dialog.AddItem(TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, 8, static_cast<short>(y + 11), 170, 15,
                           static_cast<WORD>(kControlId + i), TRACKBAR_CLASSW, 0, L"");
            dialog.AddItem(SS_RIGHT, 180, static_cast<short>(y + 13), 40, 10, static_cast<WORD>(kValueId + i), L"",
                           0x0082, L"");
        } else {
            dialog.AddItem(CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, static_cast<short>(y + 11), 120, 90,
                           static_cast<WORD>(kControlId + i), L"", 0x0085, L"");
        }
    }
    const short buttons = static_cast<short>(height - 22);
    dialog.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, 106, buttons, 55, 14, IDOK, L"", 0x0080, L"OK");
    dialog.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 166, buttons, 55, 14, IDCANCEL, L"", 0x0080, L"キャンセル");

    DialogState state{&saver, LoadSettings(saver)};
    const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), owner,
                                                     &SettingsDialogProc, reinterpret_cast<LPARAM>(&state));
    return result == IDOK;
}

} // namespace lum::demo
