#include "dialogs/ScreenSaverCategorySettingDialog_CL.h"

#include "dialogs/CategoryRules.h"
#include "dialogs/DialogSupport.h"
#include "store/CategoryList.h"
#include "store/SaverCatalog.h"

namespace lum {

namespace {
constexpr wchar_t kHelpText[] =
    L"選択した項目を左クリックする事で、カテゴリ名称の編集ができます。\r\n"
    L"また、ドラッグ＆ドロップでカテゴリの並べ替えができます。";
constexpr int kNameEditColumns = 32;
constexpr int kNameLimit = 4095;

bool Is(const ControlBase_CL* control, int id) { return control && control->m_nId == id; }
} // namespace

INT_PTR ScreenSaverCategorySettingDialog_CL::HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam,
                                                                 LPARAM lParam) {
    if (m_pCategoryList && m_pCategoryList->m_nValue != 0 &&
        message == static_cast<UINT>(m_pCategoryList->m_nValue) && lParam) {
        const LRESULT result = OnDragList(hwnd, *reinterpret_cast<const DRAGLISTINFO*>(lParam));
        ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(hwnd);
        return 1;
    case WM_COMMAND:
        OnCommand(hwnd, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        ::EndDialog(hwnd, 0);
        return 0;
    default:
        return 0;
    }
}

void ScreenSaverCategorySettingDialog_CL::OnInitDialog(HWND hwnd) {
    CenterOverOwner(::GetWindow(hwnd, GW_OWNER), hwnd);
    ::SetWindowTextW(hwnd, L"カテゴリ情報の編集");

    // No border and no horizontal scrolling: a name is only as long as fits.
    m_pNameEdit = m_Factory.Control(m_Factory.AddEdit(hwnd, kNameEditColumns, 1, ES_LEFT));
    HideNameEdit();
    m_Factory.AddStaticText(L"カテゴリ", 0, 0, hwnd);
    m_pCategoryList = m_Factory.ControlAs<ListBox_CL>(m_Factory.AddListBox(hwnd));
    ::MakeDragList(m_pCategoryList->m_hWnd);
    m_pCategoryList->m_nValue = static_cast<int>(::RegisterWindowMessageW(L"commctrl_DragListMsg"));
    if (m_pSelection && m_pSelection->catalog) {
        for (const auto& name : m_pSelection->catalog->categories)
            ::SendMessageW(m_pCategoryList->m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    m_Factory.AddStaticText(kHelpText, 0, 0, hwnd);
    m_pAddButton = m_Factory.Control(m_Factory.AddButton(L"カテゴリの追加", hwnd));
    m_pDeleteButton = m_Factory.Control(m_Factory.AddButton(L"カテゴリの削除", hwnd));

    m_Factory.StackListedControls({1, 2, 3, 4, 5, -1}, 8, 8);
    m_Factory.MoveControlsToX({2, -1}, 24);
    const ControlRect list = GetControlRect(*m_pCategoryList);
    m_Factory.StackListedControls({4, 5, -1}, list.left + list.width + 4, list.top);

    m_pOkButton = m_Factory.Control(m_Factory.AddOkCancelButtons(hwnd, kAcceptText, kCancelText));
    ::EnableWindow(m_pOkButton->m_hWnd, FALSE);
    ::ShowWindow(hwnd, SW_SHOW);
}

void ScreenSaverCategorySettingDialog_CL::OnCommand(HWND hwnd, int id, int code) {
    if (Is(m_pAddButton, id) && code == BN_CLICKED) {
        OnAdd(hwnd);
    } else if (Is(m_pDeleteButton, id) && code == BN_CLICKED) {
        OnDelete(hwnd);
    } else if (Is(m_pCategoryList, id) && code == LBN_SELCHANGE) {
        OnSelectionChange();
    } else if (Is(m_pNameEdit, id) && code == EN_CHANGE) {
        if (!m_bFilling) OnNameEdited();
    } else if (id == kAcceptButtonId) {
        OnAccept(hwnd);
    } else if (id == kCancelButtonId) {
        ::EndDialog(hwnd, 0);
    }
}

void ScreenSaverCategorySettingDialog_CL::OnAdd(HWND hwnd) {
    HideNameEdit();
    if (!CanAddCategory(ListCount())) {
        ShowNotice(hwnd, kCategoryLimitMessage);
        return;
    }
    ::SendMessageW(m_pCategoryList->m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kNewCategoryName));
    EnableAccept();
}

void ScreenSaverCategorySettingDialog_CL::OnDelete(HWND hwnd) {
    HideNameEdit();
    const int selected = static_cast<int>(::SendMessageW(m_pCategoryList->m_hWnd, LB_GETCURSEL, 0, 0));
    if (!IsMovableCategory(selected)) {
        ShowNotice(hwnd, kFixedCategoryMessage);
        return;
    }
    ::SendMessageW(m_pCategoryList->m_hWnd, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    // Another category now stands where the deleted one was: its first
    // click selects it rather than opening the name editor.
    m_nLastSelection = -1;
    EnableAccept();
}

void ScreenSaverCategorySettingDialog_CL::OnSelectionChange() {
    HWND list = m_pCategoryList->m_hWnd;
    const int selected = static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
    {
        FillingScope filling(m_bFilling);
        ::SetWindowTextW(m_pNameEdit->m_hWnd, ListText(selected).c_str());
    }
    // A second click on the selected item opens the name editor over it.
    if (selected == m_nLastSelection && IsMovableCategory(selected)) {
        RECT item{};
        ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&item));
        ::MapWindowPoints(list, ::GetParent(m_pNameEdit->m_hWnd), reinterpret_cast<POINT*>(&item), 2);
        ::SetWindowPos(m_pNameEdit->m_hWnd, HWND_TOP, item.left, item.top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetFocus(m_pNameEdit->m_hWnd);
        EnableAccept();
    } else {
        HideNameEdit();
    }
    m_nLastSelection = selected;
}

void ScreenSaverCategorySettingDialog_CL::OnNameEdited() {
    HWND list = m_pCategoryList->m_hWnd;
    const int selected = static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
    if (!IsMovableCategory(selected)) return;
    const std::wstring name = ControlText(m_pNameEdit->m_hWnd, kNameLimit + 1);
    ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected + 1), 0);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

LRESULT ScreenSaverCategorySettingDialog_CL::OnDragList(HWND hwnd, const DRAGLISTINFO& info) {
    HWND list = m_pCategoryList->m_hWnd;
    switch (info.uNotification) {
    case DL_BEGINDRAG:
        m_nDragFrom = ::LBItemFromPt(list, info.ptCursor, TRUE);
        if (!IsMovableCategory(m_nDragFrom)) return FALSE;
        // A blank last item lets the cursor go below the last category.
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
        return TRUE;
    case DL_DRAGGING: {
        if (!IsMovableCategory(m_nDragFrom)) return DL_STOPCURSOR;
        HideNameEdit();
        m_nDragOver = ::LBItemFromPt(list, info.ptCursor, TRUE);
        const int mark = InsertMarkItem(m_nDragFrom, m_nDragOver, ListCount());
        ::DrawInsert(hwnd, list, mark);
        return mark >= 0 ? DL_MOVECURSOR : DL_STOPCURSOR;
    }
    case DL_DROPPED:
        if (IsMovableCategory(m_nDragFrom)) {
            RemoveBlankItem();
            const int target = DropPosition(m_nDragFrom, ::LBItemFromPt(list, info.ptCursor, TRUE));
            if (target >= 0) {
                const std::wstring name = ListText(m_nDragFrom);
                ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(m_nDragFrom), 0);
                ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(target),
                               reinterpret_cast<LPARAM>(name.c_str()));
                ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(target), 0);
                m_nLastSelection = -1;
                EnableAccept();
            }
        }
        ::DrawInsert(hwnd, list, -1);
        m_nDragFrom = -1;
        return 0;
    case DL_CANCELDRAG:
        if (IsMovableCategory(m_nDragFrom)) RemoveBlankItem();
        ::DrawInsert(hwnd, list, -1);
        m_nDragFrom = -1;
        return 0;
    default:
        return 0;
    }
}

void ScreenSaverCategorySettingDialog_CL::OnAccept(HWND hwnd) {
    bool merged = false;
    std::vector<std::wstring> kept = MergeDuplicateCategories(ListedCategories(), merged);
    if (merged) ShowNotice(hwnd, kDuplicateMergedMessage);
    if (m_pSelection && m_pSelection->catalog) {
        m_pSelection->catalog->categories = std::move(kept);
        SaveCategories(*m_pSelection->catalog);
    }
    ::EndDialog(hwnd, 1);
}

std::vector<std::wstring> ScreenSaverCategorySettingDialog_CL::ListedCategories() const {
    std::vector<std::wstring> names;
    const int count = ListCount();
    for (int i = 0; i < count; ++i) names.push_back(ListText(i));
    return names;
}

void ScreenSaverCategorySettingDialog_CL::HideNameEdit() const {
    if (m_pNameEdit) ::ShowWindow(m_pNameEdit->m_hWnd, SW_HIDE);
}

void ScreenSaverCategorySettingDialog_CL::EnableAccept() const {
    if (m_pOkButton) ::EnableWindow(m_pOkButton->m_hWnd, TRUE);
}

int ScreenSaverCategorySettingDialog_CL::ListCount() const {
    if (!m_pCategoryList) return 0;
    return static_cast<int>(::SendMessageW(m_pCategoryList->m_hWnd, LB_GETCOUNT, 0, 0));
}

std::wstring ScreenSaverCategorySettingDialog_CL::ListText(int position) const {
    if (!m_pCategoryList || position < 0) return std::wstring();
    HWND list = m_pCategoryList->m_hWnd;
    const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(position), 0);
    if (length == LB_ERR) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

void ScreenSaverCategorySettingDialog_CL::RemoveBlankItem() const {
    const int count = ListCount();
    if (count > 0) ::SendMessageW(m_pCategoryList->m_hWnd, LB_DELETESTRING, static_cast<WPARAM>(count - 1), 0);
}

} // namespace lum
