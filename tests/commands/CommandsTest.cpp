// The saver commands on the real main window with fixture savers: settings,
// full screen, setting the PC's screen saver and deleting entries.
#include "app/EntryDeletion.h"
#include "base/Messages.h"
#include "tests/commands/OutsideTraces.h"
#include "tests/mainview/MainWindowFixture.h"
#include "tests/saver/SaverTestSupport.h"
#include "tests/support/DialogAnswerer.h"

#include <commctrl.h>

namespace lum::test {
namespace {

using std::chrono::milliseconds;

class CommandsTest : public MainWindowTest {
protected:
    // The entry's folder holds its own copy of the fixture: the preview runs
    // from (and keeps busy) the entry folder.
    std::wstring AddFixtureEntry(int number, const std::wstring& category, const std::wstring& title,
                                 const std::wstring& fixture) {
        const std::wstring folder = m_collection.AddEntry({category, title, L"", number, FixturePath(fixture)});
        EXPECT_TRUE(CopyFixture(fixture, folder + L"\\" + fixture));
        return folder;
    }
    // Waits until another saver than `before` runs in the preview.
    bool PreviewReplaces(DWORD before) {
        return PumpUntil([&] { return Runner().ProcessId() != before && !Runner().IsClosing() &&
                                      ::IsChild(m_view->PreviewPane().PreviewWindow(), Runner().SaverWindow()); },
                         milliseconds(15000));
    }
    void SelectAndWaitForPreview(int row) {
        const DWORD before = Runner().ProcessId();
        ::SendMessageW(m_hwnd, kMsgSelectionChanged, static_cast<WPARAM>(row), 0);
        ASSERT_TRUE(PreviewReplaces(before));
    }
    void Command(UINT id) { ::PostMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    ScreenSaver_CL& Runner() { return m_view->ListPane().ListObject().Runner(); }
    std::wstring Temp(const std::wstring& name) const { return m_collection.Root() + L"\\" + name; }
};

TEST(EntryDeletionRules, OnlyFiveDigitFoldersDirectlyInTheCollection) {
    const std::wstring all = L"C:\\data\\Collection\\all";
    const struct {
        std::wstring folder;
        bool entry;
    } cases[] = {
        {all + L"\\00042", true},
        {L"c:\\DATA\\collection\\ALL\\09999", true},
        {all, false},
        {all + L"\\", false},
        {all + L"\\0042", false},
        {all + L"\\000042", false},
        {all + L"\\0004a", false},
        {all + L"\\00042\\00001", false},
        {L"C:\\data\\Collection\\other\\00042", false},
        {L"C:\\data\\Collection\\all2\\00042", false},
        {L"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsEntryFolder(c.folder, all), c.entry) << Narrow(c.folder);
    EXPECT_FALSE(IsEntryFolder(L"C:\\data\\Collection\\all\\..\\00042", L"C:\\data\\Collection\\all\\.."));
    EXPECT_FALSE(IsEntryFolder(L"\\00042", L""));

    // A path far longer than any fixed buffer: exactly the path and two nulls.
    const std::wstring longPath = all + std::wstring(6000, L'x');
    const std::vector<wchar_t> list = DoubleNullPathList(longPath);
    ASSERT_EQ(list.size(), longPath.size() + 2);
    EXPECT_EQ(std::wstring(list.data()), longPath);
    EXPECT_EQ(list.back(), L'\0');
}

TEST(EntryDeletionRules, RecycleBinRefusesAStrangerAndReportsARefusedDeletion) {
    TempFolder temp;
    const std::wstring all = temp / L"Collection\\all";
    const std::wstring stranger = all + L"\\notes";
    ASSERT_TRUE(MakeFolders(stranger));
    EXPECT_EQ(MoveEntryFolderToRecycleBin(nullptr, stranger, all), RecycleResult::NotAnEntry);
    EXPECT_TRUE(FolderExists(stranger));

    // An entry that is gone already (trashing one is the e2e test's): the
    // shell cannot trash it and offers to delete it for good; the user's No
    // is reported, not taken for success.
    const std::wstring entry = all + L"\\00007";
    DialogAnswerer refuse(L"Confirm file deletion", IDNO);
    EXPECT_EQ(MoveEntryFolderToRecycleBin(nullptr, entry, all), RecycleResult::Aborted);
    EXPECT_EQ(refuse.Count(), 1u);
}

TEST_F(CommandsTest, SlowSaverEntryIsDeletedOnceAfterItsSaverHasGone) {
    const std::wstring slow = AddFixtureEntry(0, L"アート", L"遅い", L"SlowSaver.scr");
    const std::wstring other = AddFixtureEntry(1, L"アート", L"記録", L"RecorderSaver.scr");
    OpenWindow();
    const int artTab = m_view->ListPane().FindTabByName(L"アート");
    ASSERT_GT(artTab, 0);
    m_view->ListPane().SelectTab(artTab);
    SelectAndWaitForPreview(0);
    const DWORD slowSaver = Runner().ProcessId();

    DialogAnswerer yes(L"削除確認", IDYES);
    Command(kCmdDeleteEntry);
    ASSERT_TRUE(PumpUntil([&] { return m_view->DeletionPending(); }));
    // Another entry is clicked while the saver shuts down, and deleted too:
    // ignored while the first deletion waits.
    ::SendMessageW(m_hwnd, kMsgSelectionChanged, 1, 0);
    Command(kCmdDeleteEntry);
    bool deletedTooEarly = false;
    ASSERT_TRUE(PumpUntil(
        [&] {
            if (!FolderExists(slow) && ScreenSaver_CL::IsSaverProcessAlive(L"SlowSaver.scr", slowSaver))
                deletedTooEarly = true;
            return !m_view->DeletionPending();
        },
        milliseconds(20000)));
    PumpFor(milliseconds(600));
    EXPECT_FALSE(deletedTooEarly) << "deleted while the saver still ran";
    EXPECT_EQ(yes.Count(), 1u);
    EXPECT_FALSE(FolderExists(slow));
    EXPECT_TRUE(InTrash(slow));
    EXPECT_TRUE(FolderExists(other));
    EXPECT_FALSE(TheCurrentSelection().HasCurrentItem());
    EXPECT_EQ(m_view->Catalog().items.size(), 1u);
    // The category still has an entry: its tab stays current (the e2e test
    // sees a category's last entry go).
    EXPECT_EQ(::SendMessageW(m_view->ListPane().TabControl(), TCM_GETCURSEL, 0, 0), artTab);
}

// Answered No, nothing happens; answered Yes, a saver that never ends keeps
// its entry, and the user is told why.
TEST_F(CommandsTest, DeleteAnsweredNoOrBlockedByASaverThatNeverEndsKeepsTheEntry) {
    const std::wstring folder = AddFixtureEntry(0, L"アート", L"頑固", L"StubbornSaver.scr");
    OpenWindow();
    m_view->SetDeleteWaitLimit(2000);
    SelectAndWaitForPreview(0);
    const DWORD preview = Runner().ProcessId();
    RunningProgram stubborn(preview);  // ends it after the test
    {
        DialogAnswerer no(L"削除確認", IDNO);
        Command(kCmdDeleteEntry);
        ASSERT_TRUE(PumpUntil([&] { return no.Count() == 1; }));
        PumpFor(milliseconds(1200));
        EXPECT_TRUE(FolderExists(folder));
        EXPECT_EQ(Runner().ProcessId(), preview);  // the preview was not even stopped
    }
    DialogAnswerer yes(L"削除確認", IDYES);
    DialogAnswerer notice(L"お知らせ", IDOK);
    Command(kCmdDeleteEntry);
    ASSERT_TRUE(PumpUntil([&] { return notice.Count() == 1; }, milliseconds(15000)));
    EXPECT_NE(notice.Seen()[0].text.find(L"スクリーンセーバーがまだ動作しているため"), std::wstring::npos);
    EXPECT_FALSE(m_view->DeletionPending());
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_TRUE(stubborn.running());
}

TEST_F(CommandsTest, SetAsPcScreenSaverWritesTheShortPathOrNothing) {
    const std::wstring longFolder = Temp(L"Saver Folder With A Long Name");
    ASSERT_TRUE(MakeFolders(longFolder));
    const std::wstring saver = longFolder + L"\\Recorder Saver.scr";
    ASSERT_TRUE(CopyFixture(L"RecorderSaver.scr", saver));
    m_collection.AddEntry(EntryFields(L"アート", L"設定する", L"", 0, saver).WithLargePicture(0, 0, 0, 0));
    m_collection.AddEntry(EntryFields(L"アート", L"消えた", L"", 1, Temp(L"gone.scr")).WithLargePicture(0, 0, 0, 0));
    SetDesktopValue(L"ScreenSaveActive", L"0");
    SetDesktopValue(L"SCRNSAVE.EXE", L"before.scr");
    ::SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    OpenWindow();

    ::SendMessageW(m_hwnd, kMsgSelectionChanged, 1, 0);
    {
        DialogAnswerer notice(L"お知らせ", IDOK);
        Command(kCmdSetSystemSaver);
        ASSERT_TRUE(PumpUntil([&] { return notice.Count() == 1; }));
    }
    EXPECT_EQ(DesktopValue(L"SCRNSAVE.EXE"), L"before.scr");
    EXPECT_EQ(DesktopValue(L"ScreenSaveActive"), L"0");

    ::SendMessageW(m_hwnd, kMsgSelectionChanged, 0, 0);
    DialogAnswerer no(L"お知らせ", IDNO);
    Command(kCmdSetSystemSaver);
    ASSERT_TRUE(PumpUntil([&] { return no.Count() == 1; }));
    // A path with blanks is written in its short form (the e2e test's has none).
    const std::wstring written = DesktopValue(L"SCRNSAVE.EXE");
    EXPECT_EQ(written.find(L' '), std::wstring::npos) << Narrow(written);
    wchar_t longForm[MAX_PATH] = {};
    ::GetLongPathNameW(written.c_str(), longForm, MAX_PATH);
    EXPECT_EQ(::lstrcmpiW(longForm, saver.c_str()), 0) << Narrow(longForm);
    BOOL active = FALSE;  // the running system is told, not only the registry
    ::SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    EXPECT_TRUE(active);
}

// The entry's saver runs full screen from the entry folder, its settings from
// where it was installed; after either the preview comes back by itself.
TEST_F(CommandsTest, FullScreenAndSettingsRunsEndInThePreviewAgain) {
    const std::wstring original = Temp(L"Recorder.scr");
    ASSERT_TRUE(CopyFixture(L"RecorderSaver.scr", original));
    const std::wstring folder = m_collection.AddEntry({L"アート", L"全画面", L"", 0, original});
    ASSERT_TRUE(CopyFixture(L"RecorderSaver.scr", folder + L"\\Recorder.scr"));
    OpenWindow();
    SelectAndWaitForPreview(0);
    DWORD preview = Runner().ProcessId();

    Command(kCmdRunFullScreen);
    ASSERT_TRUE(PumpUntil(
        [&] { return Runner().ProcessId() != preview && Runner().SaverWindow() && !Runner().IsStarting(); },
        milliseconds(15000)));
    const DWORD full = Runner().ProcessId();
    HWND fullWindow = Runner().SaverWindow();
    EXPECT_EQ(RecordValue(folder + L"\\Recorder.scr", L"mode"), L"s");
    ::PostMessageW(fullWindow, WM_CLOSE, 0, 0);  // the user ends the saver
    ASSERT_TRUE(PreviewReplaces(full));
    EXPECT_FALSE(::KillTimer(m_hwnd, kTimerFullScreenWatch)) << "still watching after the preview came back";

    preview = Runner().ProcessId();
    Command(kCmdSaverSettings);
    ASSERT_TRUE(PumpUntil([&] { return RecordValue(original, L"mode") == L"c"; }, milliseconds(15000)));
    RunningProgram settings(static_cast<DWORD>(RecordNumber(original, L"pid")));
    HWND window = settings.WaitForTopWindow(L"LumenaryFixtureSaver", 10000);
    ASSERT_NE(window, nullptr);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PreviewReplaces(preview));
    EXPECT_TRUE(settings.WaitEnded(5000));
}

} // namespace
} // namespace lum::test
