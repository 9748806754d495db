// Command 1145 in a real main window: a title-only change keeps a category
// that the list lacks, a changed category regroups the entry out of the tab
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
    // Makes the tab current and selects its first row, as a click would.
    void SelectFirstRowOf(const std::wstring& tabName) {
        m_view->ListPane().SelectTab(m_view->ListPane().FindTabByName(tabName));
        ::SendMessageW(m_hwnd, kMsgSelectionChanged, 0, 0);
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        m_answer.reset();  // after the window: its watcher reads this thread's window captions
    }

    std::wstring m_folders[3];
    std::unique_ptr<DialogAnswerer> m_answer;
};

TEST_F(EditCommandTest, SavesTheEntryAndRegroupsOnlyWhenItsCategoryChanged) {
    m_folders[0] = m_collection.AddEntry({L"消えた", L"走る", L"", 1, DemoSaver(L"Starfield.scr")});
    m_folders[1] = m_collection.AddEntry({L"スポーツ", L"泳ぐ", L"", 2, DemoSaver(L"Bubbles.scr")});
    m_folders[2] = m_collection.AddEntry({L"スポーツ", L"描く", L"", 3, DemoSaver(L"Plasma.scr")});
    OpenWindow();
    std::wstring shownTitle;
    const wchar_t* pick = nullptr;  // the category the user picks; null: none
    m_answer = std::make_unique<DialogAnswerer>(L"スクリーンセーバー情報の編集", [&](HWND hwnd) {
        shownTitle = WindowText(::GetDlgItem(hwnd, kTitleId));
        HWND combo = ::GetDlgItem(hwnd, kComboId);
        if (pick) {
            const LRESULT at = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(pick));
            Notify(hwnd, combo, CBN_SELCHANGE, static_cast<int>(at));
        }
        TypeReplacing(::GetDlgItem(hwnd, kTitleId), L"新題");
        PressButton(hwnd, 4096);
    });

    // Through the window's command route, as the toolbar sends it.
    SelectFirstRowOf(L"未設定");
    const int unsortedTab = CurrentTab();
    ::PostMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(kCmdEditInformation, 0), 0);
    ASSERT_TRUE(PumpUntil([&] { return Stored(0, L"title") == L"新題"; }));
    EXPECT_EQ(Stored(0, L"category"), L"消えた") << "changing the title moved the entry";
    EXPECT_EQ(CurrentTab(), unsortedTab);

    SelectFirstRowOf(L"スポーツ");
    const int sportsTab = CurrentTab();
    pick = L"アート";
    ::SendMessageW(m_hwnd, kCmdEditInformation, 0, 0);
    EXPECT_EQ(Stored(1, L"category"), L"アート");
    EXPECT_EQ(Stored(1, L"title"), L"新題");
    EXPECT_EQ(CurrentTab(), sportsTab) << "the tab that was current";
    EXPECT_EQ(::SendMessageW(m_view->ListPane().ListBox(), LB_GETCOUNT, 0, 0), 1) << "the entry is still listed";
    const CurrentSelection& sel = TheCurrentSelection();
    EXPECT_EQ(sel.current_item.category, L"アート");
    ASSERT_EQ(sel.category_slot, FindCategory(m_view->Catalog(), L"アート"));
    const auto& rows = m_view->Catalog().groups[static_cast<size_t>(sel.category_slot)].items;
    ASSERT_GE(sel.item_row, 0);
    EXPECT_EQ(m_view->Catalog().items[static_cast<size_t>(rows[static_cast<size_t>(sel.item_row)])].folder, m_folders[1]);

    // Nothing selected: no dialog. A stale row: the folder finds the record.
    TheCurrentSelection().ClearItem();
    ::SendMessageW(m_hwnd, kCmdEditInformation, 0, 0);
    EXPECT_EQ(m_answer->Count(), 2u) << "the dialog opened with nothing selected";
    TheCurrentSelection().current_item.folder = m_folders[2];
    TheCurrentSelection().item_row = 7;
    ::SendMessageW(m_hwnd, kCmdEditInformation, 0, 0);
    EXPECT_EQ(m_answer->Count(), 3u);
    EXPECT_EQ(shownTitle, L"描く");
}

} // namespace
} // namespace lum::test
