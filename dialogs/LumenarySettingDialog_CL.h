#pragma once
// The application settings: the two switches of section "SAVER_SETTING".
#include "base/ModulePath.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/SubClassDialog.h"

#include <string>

namespace lum {

constexpr wchar_t kSettingsSection[] = L"SAVER_SETTING";
constexpr wchar_t kFavoritesIconSizeKey[] = L"favorites_icon_size";
constexpr wchar_t kPreviewHideKey[] = L"preview_hide";
constexpr int kSettingDialogWidth = 340;
constexpr int kSettingDialogHeight = 280;

class LumenarySettingDialog_CL : public SubClassDialogBase_CL {
public:
    LumenarySettingDialog_CL();

    // 1 when accepted and both settings were written; 0 when cancelled,
    // closed, or a write failed (the user has then been told).
    INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The settings file; the running program's unless the caller names another.
    void SetSettingsPath(std::wstring path) { m_settingsPath = std::move(path); }

    ModulePath m_ModulePath;
    ControlFactory_CL m_Factory;
    ControlBase_CL* m_pLargeIconCheck = nullptr;
    ControlBase_CL* m_pHidePreviewCheck = nullptr;
    ControlBase_CL* m_pAcceptButton = nullptr;

private:
    void OnInitDialog(HWND hwnd);
    bool WriteSettings() const;

    std::wstring m_settingsPath;
};

} // namespace lum
