// Command 1145 in a real main window (a title-only change through the menu is
// the end-to-end test's; one that keeps a category the list lacks is
// InfoDialogTest's): a changed category regroups the entry out of the tab
// that was current, and nothing opens without an entry's record.
#include "tests/mainview/MainWindowFixture.h"

#include "base/IniFile.h"
#include "base/Messages.h"
#include "store/ItemFile.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/support/DialogAnswerer.h"

#include <commctrl.h>

namespace lum::test {
namespace {

constexpr int kComboId = 4353;
constexpr int kTitleId = 4355;

class EditCommandTest : public MainWindowTest {
protected:
    std::wstring Stored(int entry, const wchar_t* key) const {
        return ReadIniString(m_folders[entry] + L"\\" + kItemFileName, kItemSection, key);
    }
    int CurrentTab() const {
        return static_cast<int>(::SendMessageW(m_view->ListPane().TabControl(), TCM_GETCURSEL, 0, 0));
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        m_answer.reset();  // after the window: its watcher reads this thread's window captions
    }

    std::wstring m_folders[2];
    std::unique_ptr<DialogAnswerer> m_answer;
};

TEST_F(EditCommandTest, ACategoryChangeRegroupsInTheCurrentTabAndARecordIsNeeded) {
    m_folders[0] = m_collection.AddEntry({L"スポーツ", L"泳ぐ", L"", 2, DemoSaver(L"Bubbles.scr")});
    m_folders[1] = m_collection.AddEntry({L"スポーツ", L"描く", L"", 3, DemoSaver(L"Plasma.scr")});
    OpenWindow();
    std::wstring shownTitle;
    m_answer = std::make_unique<DialogAnswerer>(L"スクリーンセーバー情報の編集", [&](HWND hwnd) {
        shownTitle = WindowText(::GetDlgItem(hwnd, kTitleId));
        HWND combo = ::GetDlgItem(hwnd, kComboId);
        const LRESULT at = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(L"アート"));
        Notify(hwnd, combo, CBN_SELCHANGE, static_cast<int>(at));
        TypeReplacing(::GetDlgItem(hwnd, kTitleId), L"新題");
        PressButton(hwnd, 4096);
    });

    // The tab made current and its first row selected, as a click would.
    m_view->ListPane().SelectTab(m_view->ListPane().FindTabByName(L"スポーツ"));
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, 0, 0);
    const int sportsTab = CurrentTab();
    ::SendMessageW(m_hwnd, kCmdEditInformation, 0, 0);
    EXPECT_EQ(Stored(0, L"category"), L"アート");
    EXPECT_EQ(Stored(0, L"title"), L"新題");
    EXPECT_EQ(CurrentTab(), sportsTab) << "the tab that was current";
    EXPECT_EQ(::SendMessageW(m_view->ListPane().ListBox(), LB_GETCOUNT, 0, 0), 1) << "the entry is still listed";
    EXPECT_EQ(TheCurrentSelection().category_slot, FindCategory(m_view->Catalog(), L"アート"));

    // Nothing selected: no dialog. A stale row: the folder finds the record.
    TheCurrentSelection().ClearItem();
    ::SendMessageW(m_hwnd, kCmdEditInformation, 0, 0);
    EXPECT_EQ(m_answer->Count(), 1u) << "the dialog opened with nothing selected";
    TheCurrentSelection().current_item.folder = m_folders[1];
    TheCurrentSelection().item_row = 7;
    ::SendMessageW(m_hwnd, kCmdEditInformation, 0, 0);
    EXPECT_EQ(m_answer->Count(), 2u);
    EXPECT_EQ(shownTitle, L"描く");
}

} // namespace
} // namespace lum::test
