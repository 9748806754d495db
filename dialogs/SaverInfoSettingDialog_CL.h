#pragma once
// The editor of one collection entry's description: category, title, note,
// download address and the still-picture switch. It writes no entry file:
// the caller takes m_Item back into the collection.
#include "base/ModulePath.h"
#include "base/SaverItem.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/SubClassDialog.h"

#include <string>

namespace lum {

constexpr int kTitleLimit = 64;
constexpr int kNoteLimit = 128;
constexpr int kWebLimit = 4096;

constexpr wchar_t kWebLookupQuestion[] =
    L"Ｗｅｂから以下の情報を取得します。\r\n"
    L"\u3000・サムネイル画像（小）\r\n"
    L"\u3000・タイトル\r\n"
    L"\u3000・説明\r\n"
    L"\u3000・ダウンロードできるサイトのＵＲＬ\r\n\r\n"
    L"実行しますか？";
constexpr wchar_t kWebNothingFound[] = L"Ｗｅｂに情報はありませんでした。";
constexpr wchar_t kWebNoAnswer[] =
    L"Ｗｅｂのデータベースから応答がありませんでした。\r\nネットワークの接続を確認してください。";

class SaverInfoSettingDialog_CL : public SubClassDialogBase_CL {
public:
    SaverInfoSettingDialog_CL() = default;

    // 1 when the user accepted (m_Item then holds the controls' values).
    INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    ControlFactory_CL m_Factory;
    SaverItem m_Item;
    ControlBase_CL* m_pCategoryCombo = nullptr;
    ControlBase_CL* m_pTitleEdit = nullptr;
    ControlBase_CL* m_pPreviewCheck = nullptr;
    ControlBase_CL* m_pNoteEdit = nullptr;
    ControlBase_CL* m_pWebEdit = nullptr;
    ControlBase_CL* m_pCategoryButton = nullptr;
    ControlBase_CL* m_pOkButton = nullptr;
    ControlBase_CL* m_pWebLookupButton = nullptr;
    bool m_bCategoriesEdited = false;
    ModulePath m_ModulePath;
    bool m_bImageFetched = false;

private:
    void OnInitDialog(HWND hwnd);
    void CreateControls(HWND hwnd);
    void OnCommand(HWND hwnd, int id, int code);
    void FillCategoryCombo();
    void OnEditCategories(HWND hwnd);
    void OnWebLookup(HWND hwnd);
    void OnAccept(HWND hwnd);
    void DropFetchedPicture() const;
    std::wstring SelectedCategory() const;
    std::wstring SettingsFile() const;
    std::wstring FetchedPicturePath() const;

    bool m_bFilling = false;
};

} // namespace lum
