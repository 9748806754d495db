#include "dialogs/SaverInfoSettingDialog_CL.h"

#include "base/CurrentSelection.h"
#include "dialogs/CategoryRules.h"
#include "dialogs/DialogSupport.h"
#include "dialogs/ScreenSaverCategorySettingDialog_CL.h"
#include "store/ItemFile.h"
#include "store/SaverCatalog.h"
#include "store/WebSaverDatabase.h"

namespace lum {

namespace {
constexpr int kCategoryListLines = 30;
constexpr int kEditColumns = 64;
constexpr int kEditLines = 4;
constexpr int kTextBuffer = 4096;

void SetLimitedText(const ControlBase_CL* edit, const std::wstring& text, int limit) {
    ::SendMessageW(edit->m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    ::SetWindowTextW(edit->m_hWnd, text.substr(0, static_cast<size_t>(limit)).c_str());
}

bool Is(const ControlBase_CL* control, int id) { return control && control->m_nId == id; }
} // namespace

INT_PTR SaverInfoSettingDialog_CL::HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(hwnd);
        return 1;
    case WM_COMMAND:
        OnCommand(hwnd, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        DropFetchedPicture();
        ::EndDialog(hwnd, 0);
        return 0;
    default:
        return 0;
    }
}

void SaverInfoSettingDialog_CL::OnInitDialog(HWND hwnd) {
    CenterOverOwner(::GetWindow(hwnd, GW_OWNER), hwnd);
    ::SetWindowTextW(hwnd, L"スクリーンセーバー情報の編集");
    CreateControls(hwnd);
    ::ShowWindow(hwnd, SW_SHOW);
}

void SaverInfoSettingDialog_CL::CreateControls(HWND hwnd) {
    FillingScope filling(m_bFilling);
    m_ModulePath = QueryModulePath();
    ControlFactory_CL& f = m_Factory;

    f.AddStaticText(L"カテゴリー", 0, 0, hwnd);
    m_pCategoryCombo = f.Control(f.AddComboBox(hwnd, kCategoryListLines, CBS_DROPDOWNLIST | WS_VSCROLL));
    FillCategoryCombo();

    f.AddStaticText(L"タイトル", 0, 0, hwnd);
    m_pTitleEdit = f.Control(f.AddEdit(hwnd, kEditColumns, kEditLines));
    SetLimitedText(m_pTitleEdit, m_Item.title, kTitleLimit);

    f.AddStaticText(L"説明文", 0, 0, hwnd);
    m_pNoteEdit = f.Control(f.AddEdit(hwnd, kEditColumns, kEditLines));
    SetLimitedText(m_pNoteEdit, m_Item.note, kNoteLimit);

    f.AddStaticText(L"プレビュー", 0, 0, hwnd);
    m_pPreviewCheck = f.Control(f.AddCheckBox(
        L"静止画を表示する（プレビューに対応していないスクリーンセーバーの時にＯＮしてください。）", hwnd));
    // Any value but 0 shows the still picture, so any such value is checked.
    ::SendMessageW(m_pPreviewCheck->m_hWnd, BM_SETCHECK, m_Item.large_image != 0 ? BST_CHECKED : BST_UNCHECKED, 0);

    f.AddStaticText(L"ダウンロードできるサイトのＵＲＬ", 0, 0, hwnd);
    m_pWebEdit = f.Control(f.AddEdit(hwnd, kEditColumns, kEditLines));
    SetLimitedText(m_pWebEdit, m_Item.web, kWebLimit);

    f.AddStaticText(L"スクリーンセーバーの取得元\u3000", 0, 0, hwnd);
    f.AddStaticText(m_Item.scr, 0, 0, hwnd);
    f.AddStaticText(L"データの保存先", 0, 0, hwnd);
    f.AddStaticText(m_Item.folder, 0, 0, hwnd);

    f.StackControls(13, 8, 8, 12);
    f.MoveControlsToX({1, 3, 5, 7, 9, 11, 13, -1}, 20);

    const ControlRect combo = GetControlRect(*m_pCategoryCombo);
    m_pCategoryButton = f.Control(f.AddButton(L"\u3000カテゴリの編集\u3000", hwnd));
    MoveControlTo(*m_pCategoryButton, combo.left + combo.width, combo.top);
    // The lookup sits beside the category button: an entry added while
    // offline is the one that wants it.
    const ControlRect categoryButton = GetControlRect(*m_pCategoryButton);
    m_pWebLookupButton = f.Control(f.AddButton(L"\u3000Ｗｅｂから情報を取得\u3000", hwnd));
    MoveControlTo(*m_pWebLookupButton, categoryButton.left + categoryButton.width + 4, combo.top);

    m_pOkButton = f.Control(f.AddOkCancelButtons(hwnd, kAcceptText, kCancelText));
    ::EnableWindow(m_pOkButton->m_hWnd, FALSE);
}

void SaverInfoSettingDialog_CL::FillCategoryCombo() {
    FillingScope filling(m_bFilling);
    HWND combo = m_pCategoryCombo->m_hWnd;
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    const CurrentSelection& selection = TheCurrentSelection();
    const CategoryChoice choice = OfferCategories(
        selection.catalog ? selection.catalog->categories : std::vector<std::wstring>(), m_Item.category);
    for (const auto& name : choice.items)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(choice.selected), 0);
}

void SaverInfoSettingDialog_CL::OnCommand(HWND hwnd, int id, int code) {
    const bool changed = (Is(m_pCategoryCombo, id) && code == CBN_SELCHANGE) ||
                         ((Is(m_pTitleEdit, id) || Is(m_pNoteEdit, id) || Is(m_pWebEdit, id)) && code == EN_CHANGE) ||
                         (Is(m_pPreviewCheck, id) && code == BN_CLICKED);
    if (changed) {
        if (!m_bFilling) ::EnableWindow(m_pOkButton->m_hWnd, TRUE);
    } else if (Is(m_pCategoryButton, id) && code == BN_CLICKED) {
        OnEditCategories(hwnd);
    } else if (Is(m_pWebLookupButton, id) && code == BN_CLICKED) {
        OnWebLookup(hwnd);
    } else if (id == kAcceptButtonId) {
        OnAccept(hwnd);
    } else if (id == kCancelButtonId) {
        DropFetchedPicture();
        ::EndDialog(hwnd, 0);
    }
}

void SaverInfoSettingDialog_CL::OnEditCategories(HWND hwnd) {
    ScreenSaverCategorySettingDialog_CL editor;
    editor.m_pSelection = &TheCurrentSelection();
    editor.m_nLastSelection = -1;
    if (editor.RunModal(hwnd) != 1) return;
    m_bCategoriesEdited = true;
    FillCategoryCombo();
}

void SaverInfoSettingDialog_CL::OnWebLookup(HWND hwnd) {
    if (ShowNotice(hwnd, kWebLookupQuestion, MB_YESNO) != IDYES) return;
    SaverItem fetched;
    bool found = false;
    FetchOutcome outcome = FetchOutcome::NotFound;
    {
        // The lookup holds this thread: say so before it starts.
        HWND button = m_pWebLookupButton->m_hWnd;
        const std::wstring caption = ControlText(button);
        ::SetWindowTextW(button, L"\u3000取得中…\u3000");
        ::EnableWindow(button, FALSE);
        ::UpdateWindow(button);
        WaitCursorScope waiting;
        WebSaverDatabase_CL database(SettingsFile());
        found = database.FetchInfo(m_Item.scr, DataFolderOf(SettingsFile()), fetched);
        outcome = database.LastOutcome();
        ::SetWindowTextW(button, caption.c_str());
        ::EnableWindow(button, TRUE);
    }
    if (!found) {
        const bool noAnswer = outcome == FetchOutcome::Unreachable || outcome == FetchOutcome::Failed;
        ShowNotice(hwnd, noAnswer ? kWebNoAnswer : kWebNothingFound);
        return;
    }
    if (!fetched.title.empty()) SetLimitedText(m_pTitleEdit, fetched.title, kTitleLimit);
    if (!fetched.note.empty()) SetLimitedText(m_pNoteEdit, fetched.note, kNoteLimit);
    if (!fetched.web.empty()) SetLimitedText(m_pWebEdit, fetched.web, kWebLimit);
    m_bImageFetched = true;
    ::EnableWindow(m_pOkButton->m_hWnd, TRUE);
}

void SaverInfoSettingDialog_CL::OnAccept(HWND hwnd) {
    m_Item.category = SelectedCategory();
    m_Item.title = ControlText(m_pTitleEdit->m_hWnd, kTextBuffer);
    m_Item.large_image = ::SendMessageW(m_pPreviewCheck->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    m_Item.note = ControlText(m_pNoteEdit->m_hWnd, kTextBuffer);
    m_Item.web = ControlText(m_pWebEdit->m_hWnd, kTextBuffer);
    if (m_bImageFetched) {
        const std::wstring target = m_Item.folder + L"\\" + kThumbnailName;
        ::CopyFileW(FetchedPicturePath().c_str(), target.c_str(), FALSE);
        DropFetchedPicture();
    }
    ::EndDialog(hwnd, 1);
}

void SaverInfoSettingDialog_CL::DropFetchedPicture() const {
    // The fetched picture waits in the data folder only until the dialog ends.
    if (m_bImageFetched) ::DeleteFileW(FetchedPicturePath().c_str());
}

std::wstring SaverInfoSettingDialog_CL::SelectedCategory() const {
    HWND combo = m_pCategoryCombo->m_hWnd;
    const LRESULT selected = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return m_Item.category;
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length == CB_ERR) return m_Item.category;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::wstring SaverInfoSettingDialog_CL::SettingsFile() const {
    const SaverCatalog* catalog = TheCurrentSelection().catalog;
    return catalog && !catalog->settings_path.empty() ? catalog->settings_path : SettingsPath();
}

std::wstring SaverInfoSettingDialog_CL::FetchedPicturePath() const {
    return DataFolderOf(SettingsFile()) + L"\\" + kThumbnailName;
}

} // namespace lum
