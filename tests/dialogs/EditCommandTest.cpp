// Command 1145 in a real main window: the edited entry is saved, regrouped
// out of the category tab that was current, keeps a category that the list
// no longer holds, and nothing opens without a selected entry.
#include "tests/mainview/MainWindowFixture.h"

#include "base/IniFile.h"
#include "base/Messages.h"
#include "store/ItemFile.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/RunningProgram.h"

#include <commctrl.h>

namespace lum::test {
namespace {

constexpr wchar_t kCaption[] = L"スクリーンセーバー情報の編集";
constexpr int kComboId = 4353;
constexpr int kTitleId = 4355;

std::wstring Stored(const std::wstring& folder, const wchar_t* key) {
    return ReadIniString(folder + L"\\" + kItemFileName, kItemSection, key);
}

class EditCommandTest : public MainWindowTest {
protected:
    // Opens the window over three entries and selects row 0 of `tabName`.
    void OpenAndSelect(const std::wstring& firstCategory, const std::wstring& tabName) {
        AddEntryFolder(1, {firstCategory, L"走る", DemoSaver(L"Starfield.scr")});
        AddEntryFolder(2, {L"スポーツ", L"泳ぐ", DemoSaver(L"Bubbles.scr")});
        AddEntryFolder(3, {L"アート", L"描く", DemoSaver(L"Plasma.scr")});
        OpenWindow();
        m_tab = m_view->ListPane().FindTabByName(tabName);
        ASSERT_GT(m_tab, 0);
        m_view->ListPane().SelectTab(m_tab);
        ::SendMessageW(m_hwnd, kMsgSelectionChanged, 0, 0);
        m_folder = TheCurrentSelection().current_item.folder;
        ASSERT_FALSE(m_folder.empty());
    }
    int CurrentTab() const {
        return static_cast<int>(::SendMessageW(m_view->ListPane().TabControl(), TCM_GETCURSEL, 0, 0));
    }
    int Rows() const { return static_cast<int>(::SendMessageW(m_view->ListPane().ListBox(), LB_GETCOUNT, 0, 0)); }

    // The answerer outlives the window: its watcher reads the captions of
    // this thread's windows, which only a pumping thread answers.
    DialogAnswerer& Answer(DialogAnswerer::Action action) {
        m_answer = std::make_unique<DialogAnswerer>(kCaption, std::move(action));
        return *m_answer;
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        m_answer.reset();
    }

    int m_tab = -1;
    std::wstring m_folder;
    std::unique_ptr<DialogAnswerer> m_answer;
};

TEST_F(EditCommandTest, AnEntryMovedToAnotherCategoryLeavesTheCurrentTab) {
    OpenAndSelect(L"スポーツ", L"スポーツ");
    ASSERT_EQ(Rows(), 2);
    DialogAnswerer& answer = Answer([](HWND hwnd) {
        HWND combo = ::GetDlgItem(hwnd, kComboId);
        const auto art = static_cast<int>(
            ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"アート")));
        PickComboItem(hwnd, combo, art);
        TypeReplacing(::GetDlgItem(hwnd, kTitleId), L"跳ぶ");
        PressButton(hwnd, 4096);
    });
    ::SendMessageW(m_hwnd, kCmdEditInformation, 0, 0);
    ASSERT_EQ(answer.Count(), 1u);
    EXPECT_EQ(Stored(m_folder, L"category"), L"アート");
    EXPECT_EQ(Stored(m_folder, L"title"), L"跳ぶ");
    EXPECT_EQ(CurrentTab(), m_view->ListPane().FindTabByName(L"スポーツ"));
    EXPECT_EQ(Rows(), 1) << "the edited entry is still listed under its old category";
    const CurrentSelection& sel = TheCurrentSelection();
    EXPECT_EQ(sel.current_item.title, L"跳ぶ");
    ASSERT_EQ(sel.category_slot, FindCategory(m_view->Catalog(), L"アート"));
    const CategoryGroup& group = m_view->Catalog().groups[static_cast<size_t>(sel.category_slot)];
    ASSERT_GE(sel.item_row, 0);
    EXPECT_EQ(m_view->Catalog().items[static_cast<size_t>(group.items[static_cast<size_t>(sel.item_row)])].folder,
              m_folder);
}

// Through the window's command route, as the toolbar sends it.
TEST_F(EditCommandTest, ChangingOnlyTheTitleKeepsACategoryTheListLacks) {
    OpenAndSelect(L"消えた", L"未設定");
    DialogAnswerer& answer = Answer([](HWND hwnd) {
        TypeReplacing(::GetDlgItem(hwnd, kTitleId), L"新しい題");
        PressButton(hwnd, 4096);
    });
    ::PostMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(kCmdEditInformation, 0), 0);
    ASSERT_TRUE(PumpUntil([&] { return Stored(m_folder, L"title") == L"新しい題"; }));
    EXPECT_EQ(Stored(m_folder, L"category"), L"消えた");
    EXPECT_EQ(TheCurrentSelection().current_item.category, L"消えた");
    EXPECT_EQ(CurrentTab(), m_tab);
    EXPECT_EQ(answer.Count(), 1u);
}

TEST_F(EditCommandTest, OpensNothingWithoutARecordAndFindsTheRecordByFolder) {
    OpenAndSelect(L"スポーツ", L"スポーツ");
    std::wstring shownTitle;
    DialogAnswerer& answer = Answer([&](HWND hwnd) {
        shownTitle = WindowText(::GetDlgItem(hwnd, kTitleId));
        PressButton(hwnd, 4098);
    });
    CurrentSelection& sel = TheCurrentSelection();
    sel.ClearItem();
    ::SendMessageW(m_hwnd, kCmdEditInformation, 0, 0);
    EXPECT_EQ(answer.Count(), 0u) << "the dialog opened with nothing selected";

    // A row that names no entry any more: the folder still finds the record.
    sel.current_item = m_view->Catalog().items[2];
    sel.item_row = 7;
    ::SendMessageW(m_hwnd, kCmdEditInformation, 0, 0);
    EXPECT_EQ(answer.Count(), 1u);
    EXPECT_EQ(shownTitle, L"描く");
}

} // namespace
} // namespace lum::test
