// The whole program as a user uses it: the real Lumenary.exe, driven from
// this process with commands, tabs, the real mouse and answered dialogs and
// message boxes. The steps run in order on one running program; each leaves
// a screenshot in build/screenshots/e2e.
#include "tests/webdb/TestHttpServer.h"
#include "tests/e2e/DriveProgram.h"

#include "base/IniFile.h"
#include "base/Messages.h"
#include "saver/ScreenSaverInstallInfoDialog_CL.h"
#include "saver/SmallImageSelectDialog_CL.h"
#include "store/SaverCatalog.h"
#include "tests/commands/OutsideTraces.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/GdiPlusOwners.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <thread>

namespace lum::test {
namespace {

using std::chrono::milliseconds;

constexpr DWORD kWindowWaitMs = 15000;
constexpr int kSelectAllButton = kFirstControlId + 1;  // the new-saver dialog's second control

// Placed in the Windows folder as a saver installer would: the demo savers
// the publisher's database knows, and two it does not (they are filed under
// "未設定", which gives a category with two entries to reorder).
struct InstalledSaver {
    const wchar_t* built;  // in dist\demo
    const wchar_t* installedAs;
};
const InstalledSaver kInstalled[] = {
    {L"Starfield.scr", L"Starfield.scr"}, {L"Bubbles.scr", L"Bubbles.scr"}, {L"Plasma.scr", L"Plasma.scr"},
    {L"Bubbles.scr", L"Aquarium.scr"},    {L"Plasma.scr", L"Lagoon.scr"},
};
constexpr int kInstalledCount = static_cast<int>(sizeof kInstalled / sizeof kInstalled[0]);

std::wstring InstalledPath(const InstalledSaver& saver) {
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\" + saver.installedAs;
}

void ExpectPictureSize(const std::wstring& path, UINT width, UINT height) {
    UINT w = 0, h = 0;
    EXPECT_TRUE(PictureSize(LoadPicture(path), w, h)) << Narrow(path);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
}

std::wstring DataFolder() { return DocumentsFolder() + L"\\Lumenary"; }
std::wstring SetAsideFolder() { return DocumentsFolder() + L"\\Lumenary.before-e2e"; }
std::wstring SettingsFile() { return DataFolder() + L"\\Lumenary.ini"; }

// The entry folder whose record runs `saverPath`; empty if none.
std::wstring EntryFolderOf(const std::wstring& saverPath) {
    SaverCatalog catalog;
    catalog.settings_path = SettingsFile();
    LoadItems(catalog);
    for (const SaverItem& item : catalog.items)
        if (::lstrcmpiW(item.scr.c_str(), saverPath.c_str()) == 0) return item.folder;
    return std::wstring();
}

struct Session {
    GdiplusSession gdiplus;
    std::unique_ptr<TestHttpServer> database;
    std::unique_ptr<RunningProgram> app;
    HWND main = nullptr;
    std::vector<std::wstring> placed;  // installed by the test, removed after it
};
std::unique_ptr<Session> g_session;

class UserSession : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        g_session = std::make_unique<Session>();
        // An empty start; a collection of an earlier run (scripts/run.sh
        // shares this prefix) is set aside and put back afterwards.
        RemoveTree(SetAsideFolder());
        ::MoveFileW(DataFolder().c_str(), SetAsideFolder().c_str());
        for (const InstalledSaver& saver : kInstalled) {
            const std::wstring built = DistFolder() + L"\\demo\\" + saver.built;
            const bool there = FileExists(InstalledPath(saver));
            if (::CopyFileW(built.c_str(), InstalledPath(saver).c_str(), FALSE) && !there)
                g_session->placed.push_back(InstalledPath(saver));
        }
        g_session->database = std::make_unique<TestHttpServer>(DistFolder() + L"\\demo\\db");
        MakeFolders(DataFolder());
        EnsureUnicodeIniFile(SettingsFile());
        WriteIniString(SettingsFile(), L"SAVER_SETTING", L"database_host", g_session->database->HostSetting());
        StartProgram();
    }

    static void TearDownTestSuite() {
        CloseProgram();
        for (const std::wstring& path : g_session->placed) ::DeleteFileW(path.c_str());
        g_session.reset();
        if (FolderExists(SetAsideFolder())) {
            RemoveTree(DataFolder());
            ::MoveFileW(SetAsideFolder().c_str(), DataFolder().c_str());
        }
    }

    static void StartProgram() {
        g_session->app = std::make_unique<RunningProgram>(DistFolder() + L"\\Lumenary.exe");
        g_session->main = g_session->app->WaitForTopWindow(L"MainWindowClass", kWindowWaitMs);
        // The browser tab's first load and the first layout settle.
        std::this_thread::sleep_for(milliseconds(1500));
    }

    static DWORD CloseProgram() {
        if (!g_session->app || !g_session->app->running()) return 0;
        ::PostMessageW(g_session->main, WM_CLOSE, 0, 0);
        return g_session->app->WaitForExit(kWindowWaitMs);
    }

    void SetUp() override {
        ASSERT_TRUE(g_session->app && g_session->app->running()) << "an earlier step left no running program";
        ASSERT_NE(g_session->main, nullptr);
    }

    RunningProgram& App() { return *g_session->app; }
    HWND Main() { return g_session->main; }
    HWND List() { return FindDescendant(Main(), kIdSaverList); }
    HWND Tabs() { return FindDescendant(Main(), kIdCategoryTabs); }
    HWND PreviewView() { return FindDescendant(Main(), kIdPreviewView); }
    int Rows() { return static_cast<int>(::SendMessageW(List(), LB_GETCOUNT, 0, 0)); }
    int CurrentTab() { return static_cast<int>(::SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0)); }
    void Command(UINT id) { ::PostMessageW(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    HWND PreviewSaver() { return ForeignChild(PreviewView(), App().id()); }
    void WaitForPreviewOf(const InstalledSaver& saver) {
        ASSERT_TRUE(WaitUntil([&] { return ::lstrcmpiW(ProgramFileName(PreviewSaver()).c_str(), saver.installedAs) == 0; },
                              milliseconds(15000)))
            << "no preview of " << Narrow(saver.installedAs);
    }

    // Switches the category tabs as a click on the tab would.
    void ShowCategory(const std::wstring& name) {
        const std::vector<std::wstring> texts = TabTexts(Tabs());
        int index = -1;
        for (size_t i = 0; i < texts.size(); ++i)
            if (texts[i].rfind(name, 0) == 0) index = static_cast<int>(i);
        ASSERT_GE(index, 0) << "no tab " << Narrow(name);
        ::SendMessageW(Tabs(), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
        ASSERT_TRUE(WaitUntil([&] { return CurrentTab() == index; }));
    }

    // Clicks a row and waits until the preview runs that row's saver: the
    // selection has then reached the program, and a command acts on it.
    void ChooseRow(int row, const InstalledSaver& saver) {
        MouseClick(ListRowCenter(List(), row));
        WaitForPreviewOf(saver);
    }
};

TEST_F(UserSession, Step01_StartsEmpty) {
    EXPECT_EQ(WindowText(Main()), L"Lumenary");
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(PreviewSaver(), nullptr);
    EXPECT_TRUE(FolderExists(DataFolder() + L"\\Collection\\all"));
    Screenshot(L"01-empty-start");
}

TEST_F(UserSession, Step02_FindsInstalledSaversAndAddsThemWithDetails) {
    Command(kCmdFindNewSavers);
    HWND dialog = WaitForCaption(App(), L"インストールされたスクリーンセーバーがありました。", kWindowWaitMs);
    ASSERT_NE(dialog, nullptr);
    const int offered =
        static_cast<int>(::SendMessageW(::GetDlgItem(dialog, kIdNewSaverList), LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(offered, kInstalledCount);
    std::this_thread::sleep_for(milliseconds(500));  // painted
    Screenshot(L"02a-new-savers-offered");
    ::PostMessageW(::GetDlgItem(dialog, kSelectAllButton), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, kAcceptButtonId)) != FALSE; }));
    PressButton(dialog, kAcceptButtonId);
    ASSERT_TRUE(WaitUntil([&] { return Rows() == offered; }, milliseconds(30000)));
    for (const InstalledSaver& saver : kInstalled) EXPECT_FALSE(EntryFolderOf(InstalledPath(saver)).empty());
    const std::wstring starfield = EntryFolderOf(InstalledPath(kInstalled[0]));
    ASSERT_FALSE(starfield.empty());
    EXPECT_EQ(ReadIniString(starfield + L"\\saver_item.ini", L"SAVER_ITEM", L"title"), L"星の海");
    ExpectPictureSize(starfield + L"\\image.png", 128, 96);
    std::this_thread::sleep_for(milliseconds(800));  // thumbnails drawn
    Screenshot(L"02b-savers-added");

    // Asked again, the program finds nothing new and says so.
    Command(kCmdFindNewSavers);
    HWND box = WaitForCaption(App(), L"インストール確認結果", kWindowWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"新たにインストールされたスクリーンセーバはありませんでした。");
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
}

TEST_F(UserSession, Step03_SelectsASaverAndPreviewsIt) {
    ShowCategory(L"全て");
    ChooseRow(0, kInstalled[3]);  // the placeholder titles come first
    EXPECT_EQ(::SendMessageW(FindDescendant(Main(), kIdRightPane), TCM_GETCURSEL, 0, 0), 1);
    Screenshot(L"03-preview");
}

TEST_F(UserSession, Step04_EditsAnEntry) {
    const std::wstring bubbles = EntryFolderOf(InstalledPath(kInstalled[1])) + L"\\saver_item.ini";
    const std::wstring category = ReadIniString(bubbles, L"SAVER_ITEM", L"category");
    ShowCategory(category);
    ChooseRow(0, kInstalled[1]);
    Command(kCmdEditInformation);
    HWND dialog = WaitForCaption(App(), L"スクリーンセーバー情報の編集", kWindowWaitMs);
    ASSERT_NE(dialog, nullptr);
    HWND title = FirstEdit(dialog);  // the title comes first
    ASSERT_NE(title, nullptr);
    ::SendMessageW(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"しゃぼん玉の夜"));
    const LRESULT end = ::SendMessageW(title, WM_GETTEXTLENGTH, 0, 0);
    ::SendMessageW(title, EM_SETSEL, static_cast<WPARAM>(end), end);  // the caret at the end
    ::PostMessageW(title, WM_CHAR, L'！', 1);  // typed: the dialog notices the change
    std::this_thread::sleep_for(milliseconds(500));  // painted
    Screenshot(L"04-edit");
    PressButton(dialog, kAcceptButtonId);
    EXPECT_TRUE(WaitUntil(
        [&] { return ReadIniString(bubbles, L"SAVER_ITEM", L"title") == L"しゃぼん玉の夜！"; }))
        << Narrow(ReadIniString(bubbles, L"SAVER_ITEM", L"title"));
    EXPECT_EQ(ReadIniString(bubbles, L"SAVER_ITEM", L"category"), category);
}

TEST_F(UserSession, Step04b_ShowsTheSettingsAndTheVersion) {
    const struct {
        UINT command;
        const wchar_t* caption;
        const wchar_t* shot;
    } dialogs[] = {{kCmdAppSettings, L"アプリケーションの設定", L"04b-settings"},
                   {kCmdVersion, L"バージョン表示", L"04c-version"}};
    for (const auto& expected : dialogs) {
        SCOPED_TRACE(Narrow(expected.caption));
        Command(expected.command);
        HWND dialog = WaitForCaption(App(), expected.caption, kWindowWaitMs);
        ASSERT_NE(dialog, nullptr);
        std::this_thread::sleep_for(milliseconds(500));  // painted
        Screenshot(expected.shot);
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    }
}

TEST_F(UserSession, Step05_ReordersByDragging) {
    ShowCategory(L"未設定");
    ASSERT_EQ(Rows(), 2);
    const std::wstring aquarium = EntryFolderOf(InstalledPath(kInstalled[3])) + L"\\saver_item.ini";
    const std::wstring lagoon = EntryFolderOf(InstalledPath(kInstalled[4])) + L"\\saver_item.ini";
    const int aquariumBefore = ReadIniInt(aquarium, L"SAVER_ITEM", L"sort_id", -1);
    ASSERT_EQ(aquariumBefore + ReadIniInt(lagoon, L"SAVER_ITEM", L"sort_id", -1), 1) << "not the first two places";
    const std::wstring first = aquariumBefore == 0 ? aquarium : lagoon;
    const std::wstring second = aquariumBefore == 0 ? lagoon : aquarium;

    // The first row is chosen, then dropped on the second: it takes the
    // second place.
    ChooseRow(0, kInstalled[aquariumBefore == 0 ? 3 : 4]);
    MouseDrag(ListRowCenter(List(), 0), ListRowCenter(List(), 1));
    ASSERT_TRUE(WaitUntil([&] { return ReadIniInt(first, L"SAVER_ITEM", L"sort_id", -1) == 1; }))
        << "the dragged entry did not move";
    EXPECT_EQ(ReadIniInt(second, L"SAVER_ITEM", L"sort_id", -1), 0);
    Screenshot(L"05-reordered");
}

TEST_F(UserSession, Step06_SetsOneAsThePcScreenSaver) {
    ShowCategory(L"自然／風景");
    ChooseRow(0, kInstalled[0]);
    SetDesktopValue(L"SCRNSAVE.EXE", L"");
    Command(kCmdSetSystemSaver);
    HWND box = WaitForCaption(App(), L"お知らせ", kWindowWaitMs);
    ASSERT_NE(box, nullptr);
    const std::wstring said = MessageBoxText(box);
    EXPECT_EQ(said.rfind(L"\"星の海\"をＰＣのスクリーンセーバに設定しました。", 0), 0u) << Narrow(said);
    std::this_thread::sleep_for(milliseconds(500));  // painted
    Screenshot(L"06-set-as-pc-screen-saver");
    PressButton(box, IDNO);

    const std::wstring written = DesktopValue(L"SCRNSAVE.EXE");
    wchar_t longForm[MAX_PATH] = {};
    ::GetLongPathNameW(written.c_str(), longForm, MAX_PATH);
    EXPECT_EQ(::lstrcmpiW(longForm, InstalledPath(kInstalled[0]).c_str()), 0) << Narrow(written);
    EXPECT_EQ(DesktopValue(L"ScreenSaveActive"), L"1");
}

TEST_F(UserSession, Step07_CapturesAThumbnail) {
    ShowCategory(L"幾何学模様");
    ChooseRow(0, kInstalled[2]);
    const std::wstring plasma = EntryFolderOf(InstalledPath(kInstalled[2]));
    Command(kCmdChangeThumbnail);
    HWND dialog = WaitForCaption(App(), L"スクリーンセーバーを終了されたタイミングから１５秒間前までの画像を録画します。",
                                 kWindowWaitMs);
    ASSERT_NE(dialog, nullptr);
    PressButton(dialog, kIdRecordButton);
    ASSERT_TRUE(WaitUntil([] { return SaverTopWindow() != nullptr; }, milliseconds(15000)));
    std::this_thread::sleep_for(milliseconds(2500));  // a few pictures
    MouseMoveTo(POINT{200, 200});
    MouseMoveTo(POINT{600, 500});
    HWND pictures = ::GetDlgItem(dialog, kIdRecordedList);
    ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(pictures, LVM_GETITEMCOUNT, 0, 0) > 0; }, milliseconds(15000)));
    Screenshot(L"07-captured");
    ASSERT_TRUE(SelectListViewItem(pictures, 0));
    PressButton(dialog, kIdSetThumbnail);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    ExpectPictureSize(plasma + L"\\image.png", 128, 96);
    ExpectPictureSize(plasma + L"\\imageL.png", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(UserSession, Step08_RunsFullScreenAndComesBackToThePreview) {
    ShowCategory(L"自然／風景");
    ChooseRow(0, kInstalled[0]);
    Command(kCmdRunFullScreen);
    HWND full = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (full = SaverTopWindow()) != nullptr; }, milliseconds(15000)));
    std::this_thread::sleep_for(milliseconds(1500));
    Screenshot(L"08a-full-screen");

    // The user moves the mouse: the saver ends and the preview returns.
    MouseMoveTo(POINT{100, 100});
    MouseMoveTo(POINT{700, 600});
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(full); }, milliseconds(10000))) << "the saver did not end";
    WaitForPreviewOf(kInstalled[0]);
    Screenshot(L"08b-preview-again");
}

TEST_F(UserSession, Step09_DeletesAnEntryIntoTheTrash) {
    const std::wstring plasma = EntryFolderOf(InstalledPath(kInstalled[2]));
    ASSERT_FALSE(plasma.empty());
    ShowCategory(L"幾何学模様");
    ChooseRow(0, kInstalled[2]);
    Command(kCmdDeleteEntry);
    HWND box = WaitForCaption(App(), L"削除確認", kWindowWaitMs);
    ASSERT_NE(box, nullptr);
    std::this_thread::sleep_for(milliseconds(500));  // painted
    Screenshot(L"09a-delete-question");
    PressButton(box, IDYES);

    ASSERT_TRUE(WaitUntil([&] { return !FolderExists(plasma); }, milliseconds(15000)));
    EXPECT_TRUE(InTrash(plasma));
    // The category lost its only entry: the list shows every entry again.
    EXPECT_TRUE(WaitUntil([&] { return CurrentTab() == 0 && Rows() == kInstalledCount - 1; }));
    Screenshot(L"09b-deleted");
}

TEST_F(UserSession, Step10_ClosesWithNothingLeftRunning) {
    EXPECT_EQ(CloseProgram(), 0u);
    EXPECT_TRUE(WaitUntil([] { return !AnySaverRunning(); }, milliseconds(12000)));
}

} // namespace
} // namespace lum::test
