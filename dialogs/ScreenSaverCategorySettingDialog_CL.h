#pragma once
// The category editor: add, delete, rename in place and reorder by drag.
// Every change is made on the dialog's list; the collection's categories
// are replaced and saved only when the user accepts.
#include "base/CurrentSelection.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/SubClassDialog.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace lum {

constexpr wchar_t kNewCategoryName[] = L"新しいカテゴリ";
constexpr wchar_t kCategoryLimitMessage[] = L"カテゴリは100個までしか登録できません。";
constexpr wchar_t kFixedCategoryMessage[] = L"「未設定」と「System」のカテゴリは削除できません。";
constexpr wchar_t kDuplicateMergedMessage[] = L"重複するカテゴリ名称は１つにまとめました。";

class ScreenSaverCategorySettingDialog_CL : public SubClassDialogBase_CL {
public:
    ScreenSaverCategorySettingDialog_CL() = default;

    // 1 when accepted (the collection's categories then replaced and saved).
    INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The list's texts as they stand, in order.
    std::vector<std::wstring> ListedCategories() const;

    ControlFactory_CL m_Factory;
    ListBox_CL* m_pCategoryList = nullptr;  // m_nValue: the registered drag-list message
    ControlBase_CL* m_pNameEdit = nullptr;
    ControlBase_CL* m_pAddButton = nullptr;
    ControlBase_CL* m_pDeleteButton = nullptr;
    ControlBase_CL* m_pOkButton = nullptr;
    int m_nDragFrom = -1;
    int m_nDragOver = -1;
    CurrentSelection* m_pSelection = nullptr;
    int m_nLastSelection = -1;

private:
    void OnInitDialog(HWND hwnd);
    void OnCommand(HWND hwnd, int id, int code);
    LRESULT OnDragList(HWND hwnd, const DRAGLISTINFO& info);
    void OnAdd(HWND hwnd);
    void OnDelete(HWND hwnd);
    void OnSelectionChange();
    void OnNameEdited();
    void OnAccept(HWND hwnd);
    void HideNameEdit() const;
    void EnableAccept() const;
    int ListCount() const;
    std::wstring ListText(int position) const;
    void RemoveBlankItem() const;

    bool m_bFilling = false;
};

} // namespace lum
