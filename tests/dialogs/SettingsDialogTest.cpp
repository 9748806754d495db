// The settings and version dialogs for real (both open from the menu in the
// end-to-end test): the settings read, written through the program's INI
// helper and read back, a failed write told to the user, and the version
// picture on the screen.
#include "dialogs/LumenarySettingDialog_CL.h"
#include "dialogs/LumenaryVersionDialog_CL.h"

#include "base/IniFile.h"
#include "base/Scoped.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/support/DialogAnswerer.h"
#include "toolkit/GdiPlusOwners.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

TEST(SettingsDialog, ReadsAnyNonZeroAsSetWritesBothTellsOfAFailedWriteAndEscapeWritesNothing) {
    const struct {
        const wchar_t* file;  // a missing folder cannot be written
        int icons;            // stored; -1: no file
        bool escape;          // leaves with the key instead of the accepting button
    } cases[] = {{L"Lumenary.ini", 256, false}, {L"missing\\Lumenary.ini", -1, false}, {L"Lumenary.ini", -1, true}};
    for (const auto& c : cases) {
        TempFolder temp;
        const std::wstring path = temp / c.file;
        if (c.icons >= 0) WriteIniInt(path, kSettingsSection, kFavoritesIconSizeKey, c.icons);
        LumenarySettingDialog_CL dialog;
        dialog.SetSettingsPath(path);
        DialogAnswerer notices(L"お知らせ", IDOK);
        bool acceptAtStart = true, acceptAfterClicks = false, iconsShown = false, openAfterKeys = false;
        DialogAnswerer answer(L"アプリケーションの設定", [&](HWND hwnd) {
            acceptAtStart = IsEnabled(hwnd, 4096);
            iconsShown = ::SendMessageW(dialog.m_pLargeIconCheck->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
            ::SendMessageW(hwnd, WM_COMMAND, IDOK, 0);  // Enter accepts nothing unchanged
            openAfterKeys = ::IsWindowVisible(hwnd) != FALSE;
            // Two clicks: back to the value read, and still a change.
            ::SendMessageW(dialog.m_pHidePreviewCheck->m_hWnd, BM_CLICK, 0, 0);
            ::SendMessageW(dialog.m_pHidePreviewCheck->m_hWnd, BM_CLICK, 0, 0);
            acceptAfterClicks = IsEnabled(hwnd, 4096);
            if (c.escape)  // as typed: the dialog's loop turns the key into IDCANCEL
                ::PostMessageW(dialog.m_pHidePreviewCheck->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            else
                PressButton(hwnd, 4096);
        });
        const INT_PTR result = dialog.RunModal(nullptr);
        EXPECT_FALSE(acceptAtStart);
        EXPECT_TRUE(acceptAfterClicks);
        EXPECT_TRUE(openAfterKeys);
        EXPECT_EQ(iconsShown, c.icons > 0) << c.icons;
        if (c.escape) {
            EXPECT_EQ(result, 0);
            EXPECT_FALSE(FileExists(path)) << "cancelling wrote the settings";
            continue;
        }
        if (std::wstring(c.file).find(L"missing") == 0) {
            EXPECT_EQ(result, 0) << "a failed write counted as accepted";
            ASSERT_EQ(notices.Count(), 1u);
            EXPECT_NE(notices.Seen()[0].text.find(L"設定を保存できませんでした。"), std::wstring::npos);
            continue;
        }
        EXPECT_EQ(result, 1);
        EXPECT_EQ(ReadIniInt(path, kSettingsSection, kFavoritesIconSizeKey, -1), c.icons > 0 ? 1 : 0);
        EXPECT_EQ(ReadIniInt(path, kSettingsSection, kPreviewHideKey, -1), 0);
    }
}

TEST(VersionDialog, ShowsThePictureOrAnEmptyAreaAndTheVersion) {
    GdiplusSession gdiplus;
    const std::wstring picturePath = DistFolder() + L"\\" + kVersionPictureName;
    const GdipImage picture = LoadPicture(picturePath);
    UINT width = 0, height = 0;
    ASSERT_TRUE(PictureSize(picture, width, height)) << "LumenaryImage.png does not ship";
    const POINT probe{static_cast<LONG>(width / 4), static_cast<LONG>(height - 20)};
    Gdiplus::ARGB argb = 0;
    gdip::GdipBitmapGetPixel(reinterpret_cast<Gdiplus::GpBitmap*>(picture.get()), probe.x, probe.y, &argb);
    ASSERT_EQ(argb >> 24, 0xFFu) << "the probe needs an opaque pixel";

    for (const bool present : {true, false}) {
        LumenaryVersionDialog_CL dialog;
        dialog.SetPicturePath(present ? picturePath : DistFolder() + L"\\missing.png");
        const COLORREF want = present ? RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF)
                                      : ::GetSysColor(COLOR_3DFACE);
        std::wstring version;
        COLORREF shown = 0;
        DialogAnswerer answer(L"バージョン表示", [&](HWND hwnd) {
            version = WindowText(dialog.m_Factory.Control(0)->m_hWnd);
            // The dialog paints on its own thread: look until it has.
            WaitUntil([&] {
                WindowDC dc(hwnd);
                shown = ::GetPixel(dc.get(), probe.x, probe.y);
                return shown == want;
            });
            ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(dialog.RunModal(nullptr), 0);
        EXPECT_EQ(version, L"Lumenary version 1.0.1");
        EXPECT_EQ(shown, want) << (present ? "the picture" : "the empty picture area");
    }
}

} // namespace
} // namespace lum::test
