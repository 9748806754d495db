// The category editor for real, driven as the user and the drag list drive it.
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

// One drag-list notification with the cursor on the middle of item `index`;
// returns the dialog's answer.
LRESULT DragNotify(HWND dialog, HWND list, UINT code, int index) {
    DRAGLISTINFO info{code, list, {}};
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    info.ptCursor = POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(list, &info.ptCursor);
    static const UINT message = ::RegisterWindowMessageW(L"commctrl_DragListMsg");
    return ::SendMessageW(dialog, message, 0, reinterpret_cast<LPARAM>(&info));
}

// One session over 99 categories: the fixed two refused, a rename in place
// that makes a duplicate, the 100th added and the 101st refused, then the
// duplicate merged on accept and the list saved.
TEST(CategoryDialog, EditsWithinItsRulesAndSavesTheMergedList) {
    CatalogScope scope(Numbered(99));
    ScreenSaverCategorySettingDialog_CL dialog;
    dialog.m_pSelection = &TheCurrentSelection();
    DialogAnswerer notices(L"お知らせ", IDOK);
    std::vector<bool> editorShown;
    std::vector<size_t> counts;
    LONG editorTop = -1, itemTop = -2;
    std::wstring liveName;
    DialogAnswerer answer(kCaption, [&](HWND hwnd) {
        HWND list = dialog.m_pCategoryList->m_hWnd;
        HWND edit = dialog.m_pNameEdit->m_hWnd;
        editorShown.push_back(IsEnabled(hwnd, 4096));
        Notify(hwnd, dialog.m_pDeleteButton->m_hWnd, BN_CLICKED);  // nothing selected
        for (const int index : {1, 1, 3, 3}) {  // a second click opens the editor, not on the fixed two
            Notify(hwnd, list, LBN_SELCHANGE, index);
            editorShown.push_back(::IsWindowVisible(edit) != FALSE);
        }
        RECT item{};
        ::SendMessageW(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
        ::MapWindowPoints(list, hwnd, reinterpret_cast<POINT*>(&item), 2);
        itemTop = item.top;
        editorTop = ClientRectOf(edit).top;
        TypeReplacing(edit, L"カテゴリ4");
        liveName = ListTexts(list)[3];
        for (int i = 0; i < 2; ++i) {
            Notify(hwnd, dialog.m_pAddButton->m_hWnd, BN_CLICKED);
            counts.push_back(ListTexts(list).size());
        }
        for (const int index : {1, 2}) {
            Notify(hwnd, list, LBN_SELCHANGE, index);
            Notify(hwnd, dialog.m_pDeleteButton->m_hWnd, BN_CLICKED);
        }
        counts.push_back(ListTexts(list).size());
        PressButton(hwnd, 4096);
    });
    ASSERT_EQ(dialog.RunModal(nullptr), 1);
    EXPECT_EQ(editorShown, (std::vector<bool>{false, false, false, false, true})) << "accept, then the editor";
    EXPECT_EQ(editorTop, itemTop);
    EXPECT_EQ(liveName, L"カテゴリ4");
    EXPECT_EQ(counts, (std::vector<size_t>{100, 100, 99}));
    std::vector<std::wstring> texts;
    for (const auto& n : notices.Seen()) texts.push_back(n.text);
    EXPECT_EQ(texts, (std::vector<std::wstring>{kFixedCategoryMessage, kCategoryLimitMessage, kFixedCategoryMessage,
                                                kDuplicateMergedMessage}));
    std::vector<std::wstring> expected = Numbered(99);
    expected.erase(expected.begin() + 2, expected.begin() + 4);
    expected.push_back(kNewCategoryName);
    EXPECT_EQ(scope.catalog.categories, expected);
    SaverCatalog reread;
    reread.settings_path = scope.catalog.settings_path;
    LoadCategories(reread);
    EXPECT_EQ(reread.categories, expected) << "the saved list differs";
}

// Upwards lands before the item dropped on, downwards after it; nothing
// lands above the fixed two and they do not move; cancelling keeps the list.
TEST(CategoryDialog, DragReordersMovableCategoriesOnly) {
    CatalogScope scope(Numbered(7));
    ScreenSaverCategorySettingDialog_CL dialog;
    dialog.m_pSelection = &TheCurrentSelection();
    const std::pair<int, int> drags[] = {{5, 2}, {3, 5}, {4, 1}, {1, 4}};
    std::vector<LRESULT> answers;  // to DL_BEGINDRAG and, when allowed, DL_DRAGGING
    std::vector<size_t> counts;    // while dragging, then at the end
    std::vector<std::wstring> after;
    DialogAnswerer answer(kCaption, [&](HWND hwnd) {
        HWND list = dialog.m_pCategoryList->m_hWnd;
        for (const auto& [from, onto] : drags) {
            answers.push_back(DragNotify(hwnd, list, DL_BEGINDRAG, from));
            counts.push_back(ListTexts(list).size());
            if (!answers.back()) continue;
            answers.push_back(DragNotify(hwnd, list, DL_DRAGGING, onto));
            DragNotify(hwnd, list, DL_DROPPED, onto);
        }
        after = ListTexts(list);
        counts.push_back(after.size());
        PressButton(hwnd, 4098);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), 0);
    EXPECT_EQ(answers, (std::vector<LRESULT>{TRUE, DL_MOVECURSOR, TRUE, DL_MOVECURSOR, TRUE, DL_STOPCURSOR, FALSE}));
    EXPECT_EQ(counts, (std::vector<size_t>{8, 8, 8, 7, 7})) << "a blank item only while dragging";
    const std::vector<std::wstring> n = Numbered(7);
    EXPECT_EQ(after, (std::vector<std::wstring>{n[0], n[1], n[5], n[3], n[4], n[2], n[6]}));
    EXPECT_EQ(scope.catalog.categories, n) << "cancelling changed the collection";
    EXPECT_FALSE(FileExists(scope.catalog.settings_path)) << "cancelling wrote the settings";
}

} // namespace
} // namespace lum::test
