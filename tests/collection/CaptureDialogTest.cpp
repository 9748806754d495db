#include "saver/SmallImageSelectDialog_CL.h"

#include "tests/saver/SaverTestSupport.h"
#include "tests/support/DialogAnswerer.h"
#include "toolkit/GdiPlusOwners.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <set>
#include <thread>

namespace lum::test {
namespace {

constexpr wchar_t kCaption[] = L"スクリーンセーバーを終了されたタイミングから１５秒間前までの画像を録画します。";

HWND RecordButton(HWND dialog) {
    return ::FindWindowExW(dialog, nullptr, L"Button", L"スクリーンセーバー画像を取得する");
}

// What the list shows once a recording has ended.
struct Shown {
    std::vector<std::wstring> labels;
    std::vector<int> images;
    bool setEnabled = false;
};

Shown ReadShown(HWND dialog) {
    Shown shown;
    HWND list = ::GetDlgItem(dialog, kIdRecordedList);
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        shown.labels.push_back(text);
        shown.images.push_back(item.iImage);
    }
    shown.setEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, kIdSetThumbnail)) != FALSE;
    return shown;
}

// Presses the record button and waits until the recording has started and
// ended again; `whileRecording` runs in between (on this helper thread).
bool Record(HWND dialog, const std::function<void()>& whileRecording = {}) {
    PressButton(dialog, kIdRecordButton);
    if (!WaitUntil([dialog] { return !::IsWindowEnabled(RecordButton(dialog)); })) return false;
    if (whileRecording) whileRecording();
    return WaitUntil([dialog] { return ::IsWindowEnabled(RecordButton(dialog)) != FALSE; },
                     std::chrono::seconds(30));
}

void Select(HWND dialog, int index) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(::GetDlgItem(dialog, kIdRecordedList), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

bool PictureIs(const std::wstring& path, UINT width, UINT height) {
    UINT w = 0, h = 0;
    return PictureSize(LoadPicture(path), w, h) && w == width && h == height;
}

class CaptureDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(MakeFolders(m_entry)); }

    // Runs the dialog over `saver` with `action` on a helper thread, then
    // closes it unless the action did.
    void Run(const RecorderSettings& settings, const std::wstring& saver,
             const std::function<void(HWND, SmallImageSelectDialog_CL&)>& action, std::wstring image = L"") {
        SmallImageSelectDialog_CL dialog(settings);
        dialog.m_strSaverPath = saver;
        dialog.m_strImagePath = image.empty() ? m_entry + L"\\image.png" : image;
        DialogAnswerer answerer(kCaption, [&](HWND window) {
            action(window, dialog);
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(dialog.RunModal(nullptr), 0);
    }
    // Ends the saver the dialog started once it has been recorded `frames`
    // times (as the user moving the mouse would).
    static void EndSaverAfter(SmallImageSelectDialog_CL& dialog, int frames) {
        WaitUntil([&] { return dialog.RecordedFrames() >= frames; }, std::chrono::seconds(30));
        ::PostMessageW(dialog.Runner().SaverWindow(), WM_CLOSE, 0, 0);
    }

    GdiplusSession m_gdiplus;
    TempFolder m_temp;
    const std::wstring m_entry = m_temp / L"00001";
};

TEST_F(CaptureDialogTest, MoreThanTheRingKeepsExactlyItsSizeAndTheOldestLoseTheirFullPicture) {
    RecorderSettings settings;
    settings.intervalMs = 100;
    settings.fullPictureBudget = 5 * FullPictureBytes(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    Shown first, second;
    bool openAfterEmptySet = false;
    Run(settings, DemoSaverPath(L"Plasma"), [&](HWND dialog, SmallImageSelectDialog_CL& object) {
        if (!Record(dialog, [&] { EndSaverAfter(object, 36); })) return;
        first = ReadShown(dialog);
        // A second recording replaces the first.
        if (!Record(dialog, [&] { EndSaverAfter(object, 8); })) return;
        second = ReadShown(dialog);
        PressButton(dialog, kIdSetThumbnail);  // nothing selected: nothing happens
        ::Sleep(300);
        openAfterEmptySet = ::IsWindow(dialog) && !FileExists(m_entry + L"\\image.png");
        Select(dialog, static_cast<int>(second.labels.size()) - 1);
        PressButton(dialog, kIdSetThumbnail);
    });
    ASSERT_EQ(first.labels.size(), 30u);
    EXPECT_EQ(first.labels.back(), L"3.0秒前");
    EXPECT_EQ(std::set<int>(first.images.begin(), first.images.end()).size(), 30u);
    EXPECT_GT(second.labels.size(), 5u);
    EXPECT_LT(second.labels.size(), 30u);
    EXPECT_TRUE(openAfterEmptySet);
    // The oldest picture kept only its thumbnail.
    EXPECT_TRUE(PictureIs(m_entry + L"\\image.png", 128, 96));
    EXPECT_FALSE(FileExists(m_entry + L"\\imageL.png"));
}

// Whatever lies on the dialog without a saver window (which windows count is
// the RecorderMath table's) is not taken for a picture.
TEST_F(CaptureDialogTest, WithoutASaverCoveringTheDialogThereAreNoPictures) {
    const std::wstring saver = m_temp / L"Silent.scr";
    ASSERT_TRUE(CopyFixture(L"NoWindowSaver.scr", saver));
    RecorderSettings settings;
    settings.capMs = 3000;
    Shown shown;
    DialogAnswerer told(L"サムネイル", IDOK);
    Run(settings, saver, [&](HWND dialog, SmallImageSelectDialog_CL&) {
        ::SetWindowPos(dialog, nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        if (Record(dialog)) shown = ReadShown(dialog);
    });
    EXPECT_TRUE(shown.labels.empty());
    EXPECT_FALSE(shown.setEnabled);
    EXPECT_EQ(told.Count(), 1u);  // the user learns why nothing came
}

TEST_F(CaptureDialogTest, ASaverThatNeverEndsIsCutOffByTheCapAndAnEntryWithoutFolderIsRefused) {
    const std::wstring saver = m_temp / L"Stubborn.scr";
    ASSERT_TRUE(CopyFixture(L"StubbornSaver.scr", saver));
    RecorderSettings settings;
    settings.intervalMs = 100;
    settings.capMs = 1500;
    Shown shown;
    bool aliveAtTheEnd = false, openAfterRefusal = false;
    DWORD pid = 0;
    DialogAnswerer told(L"サムネイル", IDOK);
    Run(settings, saver, [&](HWND dialog, SmallImageSelectDialog_CL& object) {
        // Put the probe point on the fixture's small topmost window.
        ::SetWindowPos(dialog, nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        if (Record(dialog)) {
            pid = object.Runner().ProcessId();
            shown = ReadShown(dialog);
            aliveAtTheEnd = ScreenSaver_CL::IsSaverProcessAlive(L"Stubborn.scr", pid);
            Select(dialog, 0);
            PressButton(dialog, kIdSetThumbnail);
            openAfterRefusal = WaitUntil([&] { return told.Count() == 1; }) && ::IsWindow(dialog);
        }
    }, L"\\image.png");
    RunningProgram leftOver(pid);  // ended by the test: it ignores WM_CLOSE
    EXPECT_FALSE(shown.labels.empty());
    EXPECT_TRUE(aliveAtTheEnd);
    EXPECT_TRUE(WaitUntil([&] { return RecordNumber(saver, L"closes") >= 1; }));  // it was asked to end
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_FALSE(FileExists(L"\\imageL.png"));
}

} // namespace
} // namespace lum::test
