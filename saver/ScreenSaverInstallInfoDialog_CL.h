#pragma once
// Offers the newly installed savers that the scan found, with their icons
// and check boxes, and adds the ticked ones to the collection.
#include "saver/ScreenSaverInstallCheck_CL.h"
#include "store/SaverCatalog.h"
#include "store/SaverDatabase.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/ImageList.h"
#include "toolkit/SubClassDialog.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lum {

constexpr int kIdNewSaverList = 100;
const wchar_t kSelectAllLabel[] = L"　　　全てを選択　　　";
const wchar_t kUnselectAllLabel[] = L"　全ての選択を解除　";
const wchar_t kNotAddedCaption[] = L"コレクションに加えられなかったスクリーンセーバー";

class ScreenSaverInstallInfoDialog_CL : public SubClassDialogBase_CL {
public:
    ScreenSaverInstallInfoDialog_CL(ScreenSaverInstallCheck_CL* check, SaverCatalog* catalog);

    INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // How the batch's lookups wait for the database (tests shorten them).
    void SetFetchOptions(const FetchOptions& options) { m_fetchOptions = options; }
    HWND ListView() const { return m_hListView; }

private:
    void OnInit();
    void FillList();
    void UpdateAddButton();
    void OnToggle();
    void OnAdd();
    bool IsTicked(int index) const;
    void SetHint(const std::wstring& text);

    ControlFactory_CL m_factory;
    ControlBase_CL* m_pToggleButton = nullptr;  // owned by the factory
    ControlBase_CL* m_pAddButton = nullptr;     // owned by the factory
    int32_t m_bSelectAllNext = 1;
    ImageList_CL m_ImageList;
    HWND m_hListView = nullptr;
    ScreenSaverInstallCheck_CL* m_pCheck;       // not owned
    SaverCatalog* m_pCatalog;                   // not owned
    FetchOptions m_fetchOptions;
};

} // namespace lum
