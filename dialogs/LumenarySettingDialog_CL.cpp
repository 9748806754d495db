#include "dialogs/LumenarySettingDialog_CL.h"

#include "base/IniFile.h"
#include "dialogs/DialogSupport.h"

namespace lum {

namespace {
constexpr wchar_t kWriteFailed[] =
    L"設定を保存できませんでした。\r\n設定ファイルに書き込めるか確認してください。";

bool IsChecked(const ControlBase_CL* box) {
    return box && ::SendMessageW(box->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(const ControlBase_CL* box, bool checked) {
    if (box) ::SendMessageW(box->m_hWnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
} // namespace

LumenarySettingDialog_CL::LumenarySettingDialog_CL()
    : m_ModulePath(QueryModulePath()), m_settingsPath(SettingsPath()) {}

INT_PTR LumenarySettingDialog_CL::HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(hwnd);
        return 1;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const bool isBox = (m_pLargeIconCheck && id == m_pLargeIconCheck->m_nId) ||
                           (m_pHidePreviewCheck && id == m_pHidePreviewCheck->m_nId);
        if (isBox && HIWORD(wParam) == BN_CLICKED) {
            ::EnableWindow(m_pAcceptButton->m_hWnd, TRUE);
        } else if (id == kAcceptButtonId) {
            if (WriteSettings()) {
                ::EndDialog(hwnd, 1);
            } else {
                ShowNotice(hwnd, kWriteFailed);
                ::EndDialog(hwnd, 0);
            }
        } else if (id == kCancelButtonId) {
            ::EndDialog(hwnd, 0);
        }
        return 0;
    }
    case WM_CLOSE:
        ::EndDialog(hwnd, 0);
        return 0;
    default:
        return 0;
    }
}

void LumenarySettingDialog_CL::OnInitDialog(HWND hwnd) {
    ::SetWindowTextW(hwnd, L"アプリケーションの設定");
    ::MoveWindow(hwnd, 0, 0, kSettingDialogWidth, kSettingDialogHeight, FALSE);

    m_Factory.AddStaticText(L"アイコンサイズ", 0, 0, hwnd);
    m_pLargeIconCheck = m_Factory.Control(m_Factory.AddCheckBox(L"お気に入りのアイコンを大きくする。", hwnd));
    m_Factory.AddStaticText(L"ブラウザ", 0, 0, hwnd);
    m_pHidePreviewCheck = m_Factory.Control(m_Factory.AddCheckBox(L"ブラウザ使用中はプレビューを隠す。", hwnd));
    m_Factory.StackControls(3, 8, 8, 8);
    m_Factory.MoveControlsToX({1, 3, -1}, 24);
    m_pAcceptButton = m_Factory.Control(m_Factory.AddOkCancelButtons(hwnd, kAcceptText, kCancelText));
    ::EnableWindow(m_pAcceptButton->m_hWnd, FALSE);

    // Any value but 0 is set, as everywhere else the program reads it.
    SetChecked(m_pLargeIconCheck, ReadIniInt(m_settingsPath, kSettingsSection, kFavoritesIconSizeKey, 0) != 0);
    SetChecked(m_pHidePreviewCheck, ReadIniInt(m_settingsPath, kSettingsSection, kPreviewHideKey, 0) != 0);

    CenterOverOwner(::GetWindow(hwnd, GW_OWNER), hwnd);
    ::ShowWindow(hwnd, SW_SHOW);
}

bool LumenarySettingDialog_CL::WriteSettings() const {
    const bool icons =
        WriteIniInt(m_settingsPath, kSettingsSection, kFavoritesIconSizeKey, IsChecked(m_pLargeIconCheck) ? 1 : 0);
    const bool preview =
        WriteIniInt(m_settingsPath, kSettingsSection, kPreviewHideKey, IsChecked(m_pHidePreviewCheck) ? 1 : 0);
    return icons && preview;
}

} // namespace lum
