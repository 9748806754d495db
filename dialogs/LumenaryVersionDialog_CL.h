#pragma once
// The version dialog: the product picture beside the program and the
// version text under it. The title bar's close button is its only way out.
#include "base/ModulePath.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/SubClassDialog.h"

#include <string>

namespace lum {

constexpr wchar_t kVersionPictureName[] = L"LumenaryImage.png";
constexpr wchar_t kVersionText[] = L"Lumenary version 1.0.1";
constexpr int kVersionDialogWidth = 340;
constexpr int kVersionDialogHeight = 380;
constexpr int kVersionTextTop = 320;

class LumenaryVersionDialog_CL : public SubClassDialogBase_CL {
public:
    LumenaryVersionDialog_CL();

    // Always ends with 0.
    INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The picture drawn; beside the program unless the caller names another.
    const std::wstring& PicturePath() const { return m_picturePath; }
    void SetPicturePath(std::wstring path) { m_picturePath = std::move(path); }

    ModulePath m_ModulePath;
    ControlFactory_CL m_Factory;

private:
    void OnInitDialog(HWND hwnd);
    void Paint(HWND hwnd) const;

    std::wstring m_picturePath;
};

} // namespace lum
