// The settings and version dialogs for real: texts, sizes, the settings
// read, written through the program's INI helper and read back, a failed
// write told to the user, and the version picture on the screen.
#include "dialogs/LumenarySettingDialog_CL.h"
#include "dialogs/LumenaryVersionDialog_CL.h"

#include "base/IniFile.h"
#include "base/Scoped.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/RunningProgram.h"
#include "toolkit/GdiPlusOwners.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

constexpr wchar_t kSettingsCaption[] = L"アプリケーションの設定";

struct SettingsSeen {
    bool acceptAtStart = true, acceptAfterClicks = false, largeIcons = false, hidePreview = false;
    bool stillOpenAfterEnterAndEscape = false;
    SIZE size{};
    RECT heading{}, box{};
};

// Clicks the preview box twice (back to what was read) and accepts.
SettingsSeen RunSettings(LumenarySettingDialog_CL& dialog, INT_PTR& result) {
    SettingsSeen seen;
    DialogAnswerer answer(kSettingsCaption, [&](HWND hwnd) {
        RECT window{};
        ::GetWindowRect(hwnd, &window);
        seen.size = SIZE{window.right - window.left, window.bottom - window.top};
        seen.heading = ClientRectOf(dialog.m_Factory.Control(0)->m_hWnd);
        seen.box = ClientRectOf(dialog.m_pLargeIconCheck->m_hWnd);
        seen.acceptAtStart = IsEnabled(hwnd, 4096);
        seen.largeIcons = ::SendMessageW(dialog.m_pLargeIconCheck->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        seen.hidePreview = ::SendMessageW(dialog.m_pHidePreviewCheck->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        ::SendMessageW(hwnd, WM_COMMAND, IDOK, 0);
        ::SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        seen.stillOpenAfterEnterAndEscape = ::IsWindowVisible(hwnd) != FALSE;
        ::SendMessageW(dialog.m_pHidePreviewCheck->m_hWnd, BM_CLICK, 0, 0);
        ::SendMessageW(dialog.m_pHidePreviewCheck->m_hWnd, BM_CLICK, 0, 0);
        seen.acceptAfterClicks = IsEnabled(hwnd, 4096);
        PressButton(hwnd, 4096);
    });
    result = dialog.RunModal(nullptr);
    return seen;
}

TEST(SettingsDialog, ReadsAnyNonZeroAsSetAndWritesBothBack) {
    struct Case {
        int storedIcons;  // -1: no settings file at all
        int storedHide;
        bool icons, hide;
    };
    const Case cases[] = {{-1, 0, false, false}, {256, 0, true, false}, {0, 1, false, true}};
    for (const Case& c : cases) {
        TempFolder temp;
        const std::wstring path = temp / L"Lumenary.ini";
        if (c.storedIcons >= 0) {
            WriteIniInt(path, kSettingsSection, kFavoritesIconSizeKey, c.storedIcons);
            WriteIniInt(path, kSettingsSection, kPreviewHideKey, c.storedHide);
        }
        WriteIniString(path, L"CATEGORY_ITEM", L"element_2", L"スポーツ");
        LumenarySettingDialog_CL dialog;
        dialog.SetSettingsPath(path);
        INT_PTR result = -1;
        const SettingsSeen seen = RunSettings(dialog, result);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(seen.size.cx, 340);
        EXPECT_EQ(seen.size.cy, 280);
        EXPECT_EQ(seen.heading.left, 8);
        EXPECT_EQ(seen.heading.top, 8);
        EXPECT_EQ(seen.box.left, 24);
        EXPECT_EQ(seen.box.top, seen.heading.bottom + 8);
        EXPECT_FALSE(seen.acceptAtStart);
        EXPECT_TRUE(seen.acceptAfterClicks) << "a click back to the old state enables it too";
        EXPECT_TRUE(seen.stillOpenAfterEnterAndEscape);
        EXPECT_EQ(seen.largeIcons, c.icons) << c.storedIcons;
        EXPECT_EQ(seen.hidePreview, c.hide);
        EXPECT_EQ(ReadIniInt(path, kSettingsSection, kFavoritesIconSizeKey, -1), c.icons ? 1 : 0);
        EXPECT_EQ(ReadIniInt(path, kSettingsSection, kPreviewHideKey, -1), c.hide ? 1 : 0);
        // The file stays UTF-16, so Japanese values written later survive.
        const std::vector<unsigned char> bytes = ReadBytes(path);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xFE);
        EXPECT_EQ(ReadIniString(path, L"CATEGORY_ITEM", L"element_2"), L"スポーツ");
    }
}

TEST(SettingsDialog, AFailedWriteIsToldAndNotReportedAsAccepted) {
    TempFolder temp;
    LumenarySettingDialog_CL dialog;
    dialog.SetSettingsPath(temp / L"missing\\Lumenary.ini");
    DialogAnswerer notices(L"お知らせ", IDOK);
    INT_PTR result = -1;
    RunSettings(dialog, result);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(notices.Count(), 1u);
    EXPECT_NE(notices.Seen()[0].text.find(L"設定を保存できませんでした。"), std::wstring::npos);
}

TEST(VersionDialog, ShowsThePictureAboveTheVersionText) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.ok());
    const std::wstring picturePath = DistFolder() + L"\\" + kVersionPictureName;
    const GdipImage picture = LoadPicture(picturePath);
    UINT width = 0, height = 0;
    ASSERT_TRUE(PictureSize(picture, width, height)) << "LumenaryImage.png does not ship";
    EXPECT_LE(height, static_cast<UINT>(kVersionTextTop)) << "the picture runs under the version text";
    // An opaque pixel of the picture, as the screen must show it.
    const POINT probe{static_cast<LONG>(width / 4), static_cast<LONG>(height - 20)};
    Gdiplus::ARGB expected = 0;
    gdip::GdipBitmapGetPixel(reinterpret_cast<Gdiplus::GpBitmap*>(picture.get()), probe.x, probe.y, &expected);
    ASSERT_EQ(expected >> 24, 0xFFu);

    for (const bool present : {true, false}) {
        LumenaryVersionDialog_CL dialog;
        dialog.SetPicturePath(present ? picturePath : DistFolder() + L"\\missing.png");
        SIZE size{};
        std::wstring version, spaces;
        RECT text{};
        const COLORREF want = present ? RGB((expected >> 16) & 0xFF, (expected >> 8) & 0xFF, expected & 0xFF)
                                      : ::GetSysColor(COLOR_3DFACE);
        COLORREF shown = 0;
        DialogAnswerer answer(L"バージョン表示", [&](HWND hwnd) {
            RECT window{};
            ::GetWindowRect(hwnd, &window);
            size = SIZE{window.right - window.left, window.bottom - window.top};
            version = WindowText(dialog.m_Factory.Control(0)->m_hWnd);
            spaces = WindowText(dialog.m_Factory.Control(1)->m_hWnd);
            text = ClientRectOf(dialog.m_Factory.Control(0)->m_hWnd);
            // The dialog paints on its own thread: look until it has.
            WaitUntil([&] {
                WindowDC dc(hwnd);
                shown = ::GetPixel(dc.get(), probe.x, probe.y);
                return shown == want;
            });
            ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(dialog.RunModal(nullptr), 0);
        EXPECT_EQ(size.cx, 340);
        EXPECT_EQ(size.cy, 380);
        EXPECT_EQ(version, L"Lumenary version 1.0.1");
        EXPECT_EQ(spaces, L"\u3000\u3000\u3000");
        EXPECT_EQ(text.left, 8);
        EXPECT_EQ(text.top, kVersionTextTop);
        EXPECT_EQ(shown, want) << (present ? "the picture" : "the empty picture area");
    }
}

} // namespace
} // namespace lum::test
