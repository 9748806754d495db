// The information dialog for real: its layout, the accepting button that
// waits for a change, the category it selects, the category editor it
// opens, and the web lookup against a database on 127.0.0.1.
#include "tests/webdb/DatabaseFixture.h"

#include "base/IniFile.h"
#include "dialogs/SaverInfoSettingDialog_CL.h"
#include "store/SaverDatabase.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/support/DialogAnswerer.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

constexpr wchar_t kCaption[] = L"スクリーンセーバー情報の編集";
const std::vector<std::wstring> kCategories = {L"全て", L"未設定", L"スポーツカー", L"スポーツ", L"Sports"};

SaverItem Entry(const std::wstring& category, int largeImage = 0) {
    SaverItem item;
    item.category = category;
    item.title = L"古いタイトル";
    item.note = L"説明";
    item.web = L"https://example.com/";
    item.scr = L"C:\\windows\\system32\\demo.scr";
    item.folder = L"C:\\data\\00001";
    item.large_image = largeImage;
    return item;
}

TEST(InfoDialog, SelectsTheExactCategoryAndAcceptsOnlyAfterAChange) {
    struct Case {
        const wchar_t* stored;
        int largeImage;
        const wchar_t* shown;
        bool checked;
    };
    const Case cases[] = {
        {L"スポーツ", 0, L"スポーツ", false},   // not "スポーツカー", which starts with it
        {L"sports", 1, L"sports", true},         // not "Sports"
        {L"消えたカテゴリ", 256, L"消えたカテゴリ", true},  // no longer listed: kept
    };
    for (const Case& c : cases) {
        CatalogScope scope(kCategories);
        SaverInfoSettingDialog_CL dialog;
        dialog.m_Item = Entry(c.stored, c.largeImage);
        struct Seen {
            bool acceptAtStart = true, acceptAfterTyping = false, checked = false;
            std::wstring shown, title;
        } seen;
        DialogAnswerer answer(kCaption, [&](HWND hwnd) {
            seen.acceptAtStart = IsEnabled(hwnd, 4096);
            HWND combo = dialog.m_pCategoryCombo->m_hWnd;
            seen.shown = ComboText(combo, static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)));
            wchar_t title[128] = {};
            ::GetWindowTextW(dialog.m_pTitleEdit->m_hWnd, title, 128);
            seen.title = title;
            seen.checked = ::SendMessageW(dialog.m_pPreviewCheck->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
            TypeReplacing(dialog.m_pTitleEdit->m_hWnd, L"新題");
            seen.acceptAfterTyping = IsEnabled(hwnd, 4096);
            PressButton(hwnd, 4096);
        });
        ASSERT_EQ(dialog.RunModal(nullptr), 1) << Narrow(c.stored);
        EXPECT_FALSE(seen.acceptAtStart);
        EXPECT_TRUE(seen.acceptAfterTyping);
        EXPECT_EQ(seen.shown, c.shown);
        EXPECT_EQ(seen.title, L"古いタイトル");
        EXPECT_EQ(seen.checked, c.checked);
        EXPECT_EQ(dialog.m_Item.category, c.stored) << "changing the title moved the entry";
        EXPECT_EQ(dialog.m_Item.title, L"新題");
        EXPECT_EQ(dialog.m_Item.large_image, c.checked ? 1 : 0);
        EXPECT_FALSE(dialog.m_bCategoriesEdited);
    }
}

TEST(InfoDialog, LaysOutLabelsAboveIndentedFieldsAndLimitsTheTitle) {
    CatalogScope scope(kCategories);
    SaverInfoSettingDialog_CL dialog;
    dialog.m_Item = Entry(L"スポーツ");
    RECT label{}, combo{}, button{}, titleLabel{}, title{};
    std::wstring typed;
    DialogAnswerer answer(kCaption, [&](HWND hwnd) {
        const ControlFactory_CL& f = dialog.m_Factory;
        label = ClientRectOf(f.Control(0)->m_hWnd);
        combo = ClientRectOf(f.Control(1)->m_hWnd);
        titleLabel = ClientRectOf(f.Control(2)->m_hWnd);
        title = ClientRectOf(f.Control(3)->m_hWnd);
        button = ClientRectOf(dialog.m_pCategoryButton->m_hWnd);
        TypeReplacing(dialog.m_pTitleEdit->m_hWnd, std::wstring(70, L'あ'));
        wchar_t text[128] = {};
        ::GetWindowTextW(dialog.m_pTitleEdit->m_hWnd, text, 128);
        typed = text;
        PressButton(hwnd, 4098);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), 0);
    EXPECT_EQ(label.left, 8);
    EXPECT_EQ(label.top, 8);
    EXPECT_EQ(combo.left, 20);
    EXPECT_EQ(titleLabel.left, 8);
    EXPECT_EQ(titleLabel.top, combo.bottom + 12);
    EXPECT_EQ(title.left, 20);
    EXPECT_EQ(button.left, combo.right);
    EXPECT_EQ(button.top, combo.top);
    EXPECT_EQ(typed.size(), 64u) << "the title takes 64 characters at most";
    EXPECT_EQ(dialog.m_Item.title, L"古いタイトル") << "cancelling changed the record";
}

// The category button runs the editor; once confirmed, the combo offers the
// new list and the caller must regroup even after a cancel.
TEST(InfoDialog, ConfirmedCategoryEditorRefillsTheCombo) {
    CatalogScope scope(kCategories);
    SaverInfoSettingDialog_CL dialog;
    dialog.m_Item = Entry(L"Sports");
    DialogAnswerer editor(L"カテゴリ情報の編集", [](HWND hwnd) {
        Click(hwnd, ::GetDlgItem(hwnd, 4352 + 4));  // "カテゴリの追加"
        PressButton(hwnd, 4096);
    });
    int countBefore = 0, countAfter = 0;
    std::wstring shownAfter;
    bool acceptEnabled = true;
    DialogAnswerer answer(kCaption, [&](HWND hwnd) {
        HWND combo = dialog.m_pCategoryCombo->m_hWnd;
        countBefore = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
        Click(hwnd, dialog.m_pCategoryButton->m_hWnd);
        countAfter = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
        shownAfter = ComboText(combo, static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)));
        acceptEnabled = IsEnabled(hwnd, 4096);
        PressButton(hwnd, 4098);
    });
    EXPECT_EQ(dialog.RunModal(nullptr), 0);
    EXPECT_EQ(countBefore, 4);
    EXPECT_EQ(countAfter, 5);
    EXPECT_EQ(shownAfter, L"Sports");
    EXPECT_FALSE(acceptEnabled);
    EXPECT_TRUE(dialog.m_bCategoriesEdited);
    EXPECT_EQ(scope.catalog.categories.back(), L"新しいカテゴリ");
    EXPECT_EQ(dialog.m_Item.category, L"Sports");
}

// The lookup asks the demo database about a saver and tells the user
// plainly when it knows nothing or does not answer.
TEST(InfoDialog, WebLookupFillsTheFieldsOrSaysWhy) {
    const std::wstring root = DistFolder() + L"\\demo\\db";
    if (!FileExists(root + L"\\lumenary\\db_saver_index.txt")) GTEST_SKIP() << "the demo database was not built";
    TestHttpServer server(root);
    ASSERT_TRUE(server.running());
    TempFolder savers;
    const std::wstring unknown = MakeSaverFile(savers.path(), L"Unknown.scr", 4096, 7);

    struct Case {
        std::wstring scr;
        std::wstring host;
        const wchar_t* message;  // the last notice, or null when found
    };
    const Case cases[] = {
        {DistFolder() + L"\\demo\\Starfield.scr", server.HostSetting(), nullptr},
        {unknown, server.HostSetting(), kWebNothingFound},
        {DistFolder() + L"\\demo\\Starfield.scr", L"127.0.0.1:" + std::to_wstring(ClosedPort()), kWebNoAnswer},
    };
    for (const Case& c : cases) {
        CatalogScope scope(kCategories);
        WriteIniString(scope.catalog.settings_path, L"SAVER_SETTING", kDatabaseHostKey, c.host);
        TempFolder entry;
        SaverItem item = Entry(L"未設定");
        item.scr = c.scr;
        item.folder = entry.path();
        SaverInfoSettingDialog_CL dialog;
        dialog.m_Item = item;
        DialogAnswerer notices(L"お知らせ", [](HWND box) {
            PressButton(box, MessageBoxText(box).find(L"実行しますか") != std::wstring::npos ? IDYES : IDOK);
        });
        std::wstring title;
        bool acceptEnabled = false;
        DialogAnswerer answer(kCaption, [&](HWND hwnd) {
            Click(hwnd, dialog.m_pWebLookupButton->m_hWnd);
            wchar_t text[128] = {};
            ::GetWindowTextW(dialog.m_pTitleEdit->m_hWnd, text, 128);
            title = text;
            acceptEnabled = IsEnabled(hwnd, 4096);
            PressButton(hwnd, acceptEnabled ? 4096 : 4098);
        });
        const INT_PTR result = dialog.RunModal(nullptr);
        const auto seen = notices.Seen();
        ASSERT_FALSE(seen.empty());
        EXPECT_NE(seen.front().text.find(L"サムネイル画像（小）"), std::wstring::npos);
        if (!c.message) {
            EXPECT_EQ(result, 1);
            EXPECT_EQ(seen.size(), 1u);
            EXPECT_EQ(title, L"星の海");
            EXPECT_EQ(dialog.m_Item.title, L"星の海");
            EXPECT_EQ(dialog.m_Item.category, L"未設定") << "the fetched category is not used";
            EXPECT_GT(ReadBytes(entry / L"image.png").size(), 24u) << "the picture did not reach the entry";
            EXPECT_FALSE(FileExists(scope.temp / L"image.png")) << "the fetched picture was left behind";
        } else {
            EXPECT_EQ(result, 0);
            ASSERT_EQ(seen.size(), 2u);
            EXPECT_EQ(seen.back().text, c.message);
            EXPECT_EQ(title, L"古いタイトル");
            EXPECT_FALSE(acceptEnabled);
        }
    }
}

} // namespace
} // namespace lum::test
