// The main window for real: panes, splitter, tab switching, selection and the
// live preview of a demo saver inside the preview view.
#include "tests/mainview/MainWindowFixture.h"

#include "base/IniFile.h"
#include "base/Messages.h"
#include "base/Scoped.h"

#include <commctrl.h>

namespace lum::test {
namespace {

using std::chrono::milliseconds;

TEST_F(MainWindowTest, PanesFollowTheSplitAndPreviewHide) {
    WriteIniInt(m_collection.catalog.settings_path, L"SAVER_SETTING", L"preview_hide", 1);
    OpenWindow();
    SetClientSize(1006, 600);

    // Browser tab current and preview_hide set: the list is one pixel wide.
    EXPECT_EQ(ChildRect(m_view->ListPane().TabControl()).right, 1);

    // A selection message with -1 shows the preview tab and nothing else.
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, static_cast<WPARAM>(-1), 0);
    EXPECT_FALSE(TheCurrentSelection().HasCurrentItem());
    EXPECT_EQ(::SendMessageW(m_view->RightPane(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(::IsWindowVisible(m_view->PreviewPane().PreviewWindow()));
    EXPECT_FALSE(::IsWindowVisible(m_view->BrowserHost()));

    // The split is back: 300 + 6 + 700 (MainLayoutTest has the arithmetic).
    EXPECT_EQ(ChildRect(m_view->ListPane().TabControl()).right, 300);
}

TEST_F(MainWindowTest, OnlyARealResizeArmsTheRestartTimer) {
    OpenWindow();
    SetClientSize(900, 600);
    ::KillTimer(m_hwnd, kTimerResizeSettled);

    ::SetWindowPos(m_hwnd, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpFor(milliseconds(30));
    EXPECT_FALSE(::KillTimer(m_hwnd, kTimerResizeSettled)) << "a move started the resize timer";

    ResizeClient(950, 600);  // the timer cannot have fired yet, however slow the paint
    EXPECT_TRUE(::KillTimer(m_hwnd, kTimerResizeSettled)) << "a resize did not start the timer";
}

// Drives the splitter as the mouse would: cursor over the gap, press, move, release.
class SplitterTest : public MainWindowTest {
protected:
    void MoveCursorTo(int clientX) {
        POINT pt{clientX, 200};
        ::ClientToScreen(m_hwnd, &pt);
        ::SetCursorPos(pt.x, pt.y);
    }
    void Press(int clientX) {
        MoveCursorTo(clientX);
        ::SendMessageW(m_hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ::SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clientX, 200));
    }
    void MoveTo(int clientX) {
        MoveCursorTo(clientX);
        ::SendMessageW(m_hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(clientX, 200));
    }
    void Release(int clientX) {
        ::SendMessageW(m_hwnd, WM_LBUTTONUP, 0, MAKELPARAM(clientX, 200));
    }
    void DragSplitterTo(int clientX) {
        Press(m_view->PaneOf(1).x - 3);
        MoveTo(clientX);
        Release(clientX);
    }
};

TEST_F(SplitterTest, ReleaseSetsTheShareAndAStillClickKeepsIt) {
    OpenWindow();
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, static_cast<WPARAM>(-1), 0);
    SetClientSize(1001, 600);
    const int gap = m_view->PaneOf(1).x - 3;

    Press(gap);
    ASSERT_TRUE(m_view->Dragging());
    EXPECT_EQ(::GetCapture(), m_hwnd);
    MoveTo(500);
    Release(500);
    EXPECT_FALSE(m_view->Dragging());
    EXPECT_EQ(m_view->RightShare(), 50u);
    MoveTo(300);  // not dragging: only the cursor moves
    EXPECT_EQ(m_view->RightShare(), 50u);

    // Press and release without a move: the split stays.
    Press(m_view->PaneOf(1).x - 3);
    Release(m_view->PaneOf(1).x - 3);
    EXPECT_EQ(m_view->RightShare(), 50u);

    // Dragged far past the left edge (a negative x): the right pane keeps some room for the list.
    DragSplitterTo(-400);
    EXPECT_EQ(m_view->RightShare(), kMaxRightShare);

    // A press outside the gap starts nothing.
    Press(100);
    EXPECT_FALSE(m_view->Dragging());
    Release(100);
}

// The image path of the process that the runner started.
std::wstring RunningImage(const ScreenSaver_CL& runner) {
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, runner.ProcessId()));
    if (!process || !::QueryFullProcessImageNameW(process.get(), 0, path, &size)) return std::wstring();
    return std::wstring(path, size);
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    wchar_t la[MAX_PATH] = {}, lb[MAX_PATH] = {};
    ::GetLongPathNameW(a.c_str(), la, MAX_PATH);
    ::GetLongPathNameW(b.c_str(), lb, MAX_PATH);
    return ::lstrcmpiW(la, lb) == 0;
}

// Selection, resizes and a dialog, each (re)starting the preview saver
// inside the view at most once (that closing stops it is the whole
// program's test); an entry's own copy of its saver runs unless the entry
// asks for the original.
TEST_F(MainWindowTest, SelectionRunsTheEntrysSaverInsideTheViewAndRestartsOnlyWhenItMust) {
    const std::wstring original = DemoSaver(L"Starfield.scr");
    ASSERT_TRUE(FileExists(original)) << Narrow(original);
    const std::wstring withCopy = m_collection.AddEntry({L"アート", L"写し", L"", 0, original});
    ASSERT_TRUE(::CopyFileW(original.c_str(), (withCopy + L"\\Starfield.scr").c_str(), FALSE));
    const std::wstring pinned = m_collection.AddEntry({L"アート", L"元のまま", L"", 1, original});
    ASSERT_TRUE(::CopyFileW(original.c_str(), (pinned + L"\\Starfield.scr").c_str(), FALSE));
    WriteIniInt(pinned + L"\\saver_item.ini", L"SAVER_ITEM", L"use_original_saver", 1);
    OpenWindow();
    SetClientSize(1000, 640);
    PumpFor(milliseconds(700));  // let the resize settle before anything runs

    ::SendMessageW(m_hwnd, kMsgSelectionChanged, 0, 0);
    const CurrentSelection& sel = TheCurrentSelection();
    ASSERT_TRUE(sel.HasCurrentItem());
    EXPECT_EQ(sel.current_item.title, L"写し");
    EXPECT_EQ(sel.previewed_item.scr, original);

    ScreenSaver_CL& runner = m_view->ListPane().ListObject().Runner();
    HWND view = m_view->PreviewPane().PreviewWindow();
    ASSERT_TRUE(PumpUntil([&] { return runner.SaverWindow() != nullptr; }, milliseconds(10000)));
    const DWORD first = runner.ProcessId();
    EXPECT_TRUE(SameFile(RunningImage(runner), withCopy + L"\\Starfield.scr")) << Narrow(RunningImage(runner));
    EXPECT_TRUE(::IsChild(view, runner.SaverWindow()));
    // The view is dark under the saver's window, whatever it showed before.
    EXPECT_EQ(m_view->PreviewPane().View().Content(), PreviewContent::LiveSaver);
    const Pixels pixels = PrintClient(view);
    EXPECT_TRUE(Near(pixels.at(5, 5), 0x000000u, 0));
    EXPECT_FALSE(HasInk(pixels, RECT{0, 0, 200, 200}, 0x000000u));

    // A resize restarts it once, after the size has settled: not while the
    // sizes still come (no message is handled between them here, so the
    // settle timer cannot have fired whatever a resize costs on this machine).
    ResizeClient(1040, 660);
    ResizeClient(1060, 660);
    EXPECT_EQ(runner.ProcessId(), first) << "restarted before the size settled";
    ASSERT_TRUE(PumpUntil([&] { return runner.ProcessId() != first && runner.SaverWindow(); }, milliseconds(15000)));
    const DWORD second = runner.ProcessId();
    EXPECT_TRUE(::IsChild(view, runner.SaverWindow()));
    PumpFor(milliseconds(800));
    EXPECT_EQ(runner.ProcessId(), second) << "restarted more than once";

    // A refresh after a dialog waits until the dialog's window has gone.
    HWND dialog = ::CreateWindowExW(0, L"Static", L"x", WS_POPUP, 0, 0, 10, 10, m_hwnd, nullptr, nullptr, nullptr);
    m_view->WaitThenRefresh(dialog);
    PumpFor(milliseconds(600));
    EXPECT_EQ(runner.ProcessId(), second) << "refreshed while the window still existed";
    ::DestroyWindow(dialog);
    ASSERT_TRUE(PumpUntil([&] { return runner.ProcessId() != second && runner.SaverWindow(); }, milliseconds(15000)));

    // Same file name, other entry: the original this time.
    const DWORD third = runner.ProcessId();
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, 1, 0);
    EXPECT_EQ(TheCurrentSelection().current_item.title, L"元のまま");
    ASSERT_TRUE(PumpUntil([&] { return runner.ProcessId() != third && runner.SaverWindow(); }, milliseconds(15000)));
    EXPECT_TRUE(SameFile(RunningImage(runner), original)) << Narrow(RunningImage(runner));
}

TEST_F(MainWindowTest, StillPictureEntryStartsNoSaver) {
    m_collection.AddEntry(EntryFields(L"アート", L"静止画", L"", 0, DemoSaver(L"Bubbles.scr")).WithLargePicture(0, 0, 0, 0));
    OpenWindow();
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, 0, 0);
    ScreenSaver_CL& runner = m_view->ListPane().ListObject().Runner();
    PumpFor(milliseconds(1000));
    EXPECT_EQ(runner.ProcessId(), 0u);
    EXPECT_EQ(TheCurrentSelection().previewed_item.large_image, 1);
}

} // namespace
} // namespace lum::test
