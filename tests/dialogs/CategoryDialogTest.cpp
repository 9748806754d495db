// The category editor for real: its limits, the two fixed categories,
// renaming in place, merging duplicates on accept and reordering through
// the drag-list notifications.
#include "dialogs/ScreenSaverCategorySettingDialog_CL.h"

#include "store/CategoryList.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/support/DialogAnswerer.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

constexpr wchar_t kCaption[] = L"カテゴリ情報の編集";

std::vector<std::wstring> Numbered(int count) {
    std::vector<std::wstring> names = {L"全て", L"未設定"};
    for (int i = 2; i < count; ++i) names.push_back(L"カテゴリ" + std::to_wstring(i));
    return names;
}

void Select(HWND dialog, HWND list, int index) {
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Sends one drag-list notification with the cursor on the middle of item
// `index` (or far below the list for -1); returns the dialog's answer.
LRESULT DragNotify(HWND dialog, HWND list, UINT code, int index) {
    DRAGLISTINFO info{};
    info.uNotification = code;
    info.hWnd = list;
    RECT item{};
    if (index >= 0) {
        ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        info.ptCursor = POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ::ClientToScreen(list, &info.ptCursor);
    } else {
        info.ptCursor = POINT{5, 1020};
    }
    static const UINT message = ::RegisterWindowMessageW(L"commctrl_DragListMsg");
    return ::SendMessageW(dialog, message, static_cast<WPARAM>(::GetDlgCtrlID(list)), reinterpret_cast<LPARAM>(&info));
}

TEST(CategoryDialog, KeepsAtMostAHundredAndNeverDeletesTheFirstTwo) {
    CatalogScope scope(Numbered(99));
    ScreenSaverCategorySettingDialog_CL dialog;
    dialog.m_pSelection = &TheCurrentSelection();
    DialogAnswerer notices(L"お知らせ", IDOK);
    int added = 0, refused = 0, afterDelete = 0;
    bool acceptAtStart = true;
    DialogAnswerer answer(kCaption, [&](HWND hwnd) {
        HWND list = dialog.m_pCategoryList->m_hWnd;
        acceptAtStart = IsEnabled(hwnd, 4096);
        Click(hwnd, dialog.m_pAddButton->m_hWnd);
        added = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        Click(hwnd, dialog.m_pAddButton->m_hWnd);
        refused = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        Click(hwnd, dialog.m_pDeleteButton->m_hWnd);  // nothing selected
        Select(hwnd, list, 1);
        Click(hwnd, dialog.m_pDeleteButton->m_hWnd);
        Select(hwnd, list, 2);
        Click(hwnd, dialog.m_pDeleteButton->m_hWnd);
        afterDelete = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        PressButton(hwnd, 4098);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), 0);
    EXPECT_FALSE(acceptAtStart);
    EXPECT_EQ(added, 100);
    EXPECT_EQ(refused, 100);
    EXPECT_EQ(afterDelete, 99);
    const auto seen = notices.Seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, kCategoryLimitMessage);
    EXPECT_EQ(seen[1].text, kFixedCategoryMessage);
    EXPECT_EQ(seen[2].text, kFixedCategoryMessage);
    EXPECT_EQ(scope.catalog.categories, Numbered(99)) << "cancelling changed the collection";
    EXPECT_FALSE(FileExists(scope.catalog.settings_path)) << "cancelling wrote the settings";
}

TEST(CategoryDialog, RenamesInPlaceAndMergesDuplicatesOnAccept) {
    CatalogScope scope(DefaultCategories());
    ScreenSaverCategorySettingDialog_CL dialog;
    dialog.m_pSelection = &TheCurrentSelection();
    DialogAnswerer notices(L"お知らせ", IDOK);
    bool editorOnFixed = true, editorAfterOneClick = true, editorOnSecondClick = false;
    LONG editorTop = -1, itemTop = -2;
    std::wstring liveName;
    DialogAnswerer answer(kCaption, [&](HWND hwnd) {
        HWND list = dialog.m_pCategoryList->m_hWnd;
        HWND edit = dialog.m_pNameEdit->m_hWnd;
        Select(hwnd, list, 1);
        Select(hwnd, list, 1);
        editorOnFixed = ::IsWindowVisible(edit) != FALSE;
        Select(hwnd, list, 3);
        editorAfterOneClick = ::IsWindowVisible(edit) != FALSE;
        Select(hwnd, list, 3);
        editorOnSecondClick = ::IsWindowVisible(edit) != FALSE;
        RECT item{};
        ::SendMessageW(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
        ::MapWindowPoints(list, hwnd, reinterpret_cast<POINT*>(&item), 2);
        itemTop = item.top;
        editorTop = ClientRectOf(edit).top;
        TypeReplacing(edit, L"改名");
        liveName = ListText(list, 3);
        Click(hwnd, dialog.m_pAddButton->m_hWnd);
        Click(hwnd, dialog.m_pAddButton->m_hWnd);
        PressButton(hwnd, 4096);
    });
    ASSERT_EQ(dialog.RunModal(nullptr), 1);
    EXPECT_FALSE(editorOnFixed);
    EXPECT_FALSE(editorAfterOneClick);
    EXPECT_TRUE(editorOnSecondClick);
    EXPECT_EQ(editorTop, itemTop);
    EXPECT_EQ(liveName, L"改名");

    std::vector<std::wstring> expected = DefaultCategories();
    expected[3] = L"改名";
    expected.push_back(L"新しいカテゴリ");
    EXPECT_EQ(scope.catalog.categories, expected);
    const auto seen = notices.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, kDuplicateMergedMessage);
    SaverCatalog reread;
    reread.settings_path = scope.catalog.settings_path;
    LoadCategories(reread);
    EXPECT_EQ(reread.categories, expected) << "the saved list differs";
}

TEST(CategoryDialog, DragReordersMovableCategoriesOnly) {
    struct Case {
        int from, onto;
        LRESULT begin;
        std::vector<int> order;  // of the original positions 0..6
    };
    const Case cases[] = {
        {5, 2, TRUE, {0, 1, 5, 2, 3, 4, 6}},
        {2, 5, TRUE, {0, 1, 3, 4, 5, 2, 6}},
        {4, 1, TRUE, {0, 1, 2, 3, 4, 5, 6}},
        {4, -1, TRUE, {0, 1, 2, 3, 4, 5, 6}},
        {1, 4, FALSE, {0, 1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        CatalogScope scope(Numbered(7));
        ScreenSaverCategorySettingDialog_CL dialog;
        dialog.m_pSelection = &TheCurrentSelection();
        LRESULT begin = -1, dragging = -1;
        int countWhileDragging = 0;
        std::vector<std::wstring> after;
        bool acceptEnabled = false;
        DialogAnswerer answer(kCaption, [&](HWND hwnd) {
            HWND list = dialog.m_pCategoryList->m_hWnd;
            begin = DragNotify(hwnd, list, DL_BEGINDRAG, c.from);
            countWhileDragging = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
            dragging = DragNotify(hwnd, list, DL_DRAGGING, c.onto);
            DragNotify(hwnd, list, DL_DROPPED, c.onto);
            after = ListTexts(list);
            acceptEnabled = IsEnabled(hwnd, 4096);
            PressButton(hwnd, 4098);
        });
        EXPECT_EQ(dialog.RunModal(nullptr), 0);
        const std::vector<std::wstring> original = Numbered(7);
        std::vector<std::wstring> expected;
        for (const int i : c.order) expected.push_back(original[static_cast<size_t>(i)]);
        const bool moves = c.order != std::vector<int>{0, 1, 2, 3, 4, 5, 6};
        EXPECT_EQ(begin, c.begin) << c.from << "->" << c.onto;
        EXPECT_EQ(countWhileDragging, c.begin ? 8 : 7) << "the blank item";
        if (c.begin) {
            EXPECT_EQ(dragging, moves ? DL_MOVECURSOR : DL_STOPCURSOR) << c.from << "->" << c.onto;
        }
        EXPECT_EQ(after, expected) << c.from << "->" << c.onto;
        EXPECT_EQ(acceptEnabled, moves);
    }
}

} // namespace
} // namespace lum::test
