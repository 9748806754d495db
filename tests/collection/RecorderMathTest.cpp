#include "saver/ScreenRecorder.h"
#include "saver/SmallImageSelectDialog_CL.h"
#include "saver/ThumbnailRing.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

TEST(RecorderMath, NewestFirstRunsBackAcrossTheWrap) {
    // The wrap of a full ring is seen in the PictureRing tests.
    EXPECT_EQ(NewestFirstSlots(7, 7, 30), (std::vector<int>{6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(NewestFirstSlots(0, 45, 30).size(), 30u);  // never more than the ring holds
    EXPECT_TRUE(NewestFirstSlots(4, 0, 30).empty());
    EXPECT_EQ(RingSlot(-31, 30), 29);
}

TEST(RecorderMath, LabelsCountBackInTenthsOfASecond) {
    struct Case { int position; DWORD interval; const wchar_t* label; };
    for (const Case& c : {Case{0, 500, L"0.5秒前"}, Case{1, 500, L"1.0秒前"}, Case{6, 500, L"3.5秒前"},
                          Case{29, 500, L"15.0秒前"}, Case{0, 100, L"0.1秒前"}, Case{29, 100, L"3.0秒前"}}) {
        EXPECT_EQ(AgeLabel(c.position, c.interval), c.label) << c.position << " at " << c.interval;
    }
}

TEST(RecorderMath, FullPicturesStayWithinTheBudget) {
    const uint64_t budget = 256ull * 1024 * 1024;
    struct Case { int width; int height; int keep; };
    for (const Case& c : {Case{1280, 1024, 30}, Case{1920, 1080, 30}, Case{3840, 2160, 15}, Case{7680, 4320, 3},
                          Case{100000, 100000, 0}}) {
        const int keep = FullPicturesWithinBudget(c.width, c.height, 30, budget);
        EXPECT_EQ(keep, c.keep) << c.width << " x " << c.height;
        // The picture being taken lives beside the kept ones until the oldest
        // goes; with none kept, none is taken.
        if (keep > 0) {
            EXPECT_LE(FullPictureBytes(c.width, c.height) * static_cast<uint64_t>(keep + 1), budget);
        }
    }
    EXPECT_EQ(FullPicturesWithinBudget(640, 480, 30, FullPictureBytes(640, 480)), 0);
    EXPECT_EQ(FullPictureBytes(1921, 1), 3844u);  // rows padded to four bytes
}

TEST(RecorderMath, ProbePointStaysOnTheVisiblePartOfTheDialog) {
    const RECT monitor{0, 0, 1280, 1024};
    struct Case { RECT dialog; POINT probe; };
    for (const Case& c : {Case{{100, 100, 940, 620}, {108, 108}}, Case{{-400, -300, 440, 220}, {8, 8}},
                          Case{{1276, 1020, 2116, 1540}, {1279, 1023}}, Case{{-2000, -2000, -900, -900}, {8, 8}}}) {
        const POINT p = ProbePoint(c.dialog, monitor);
        EXPECT_EQ(p.x, c.probe.x);
        EXPECT_EQ(p.y, c.probe.y);
    }
}

TEST(RecorderMath, OnlyANewWindowOfAnotherProgramCoversTheDialog) {
    const HWND dialog = reinterpret_cast<HWND>(0x100);
    const HWND other = reinterpret_cast<HWND>(0x200);
    const HWND third = reinterpret_cast<HWND>(0x300);
    EXPECT_FALSE(CoversDialog(nullptr, 0, dialog, 7));   // nothing there
    EXPECT_FALSE(CoversDialog(dialog, 7, dialog, 7));
    EXPECT_FALSE(CoversDialog(other, 7, dialog, 7));     // our own main window
    EXPECT_TRUE(CoversDialog(other, 9, dialog, 7));
    EXPECT_FALSE(CoversDialog(other, 9, other, 7));      // lay on the dialog before the start
    EXPECT_TRUE(CoversDialog(third, 9, other, 7));
}

TEST(RecorderMath, AnEntryWithoutAFolderHasNowhereToSave) {
    EXPECT_EQ(EntryFolderOfImage(L"C:\\data\\00001\\image.png"), L"C:\\data\\00001");
    for (const wchar_t* path : {L"\\image.png", L"image.png", L"C:\\image.png", L""})
        EXPECT_TRUE(EntryFolderOfImage(path).empty()) << path;
}

} // namespace
} // namespace lum
