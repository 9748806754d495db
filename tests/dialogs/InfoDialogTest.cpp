// The information dialog for real: the category it selects, the accepting
// button that waits for a change, the category editor it opens and the web
// lookup against the demo database on 127.0.0.1.
#include "tests/webdb/DatabaseFixture.h"

#include "base/IniFile.h"
#include "dialogs/SaverInfoSettingDialog_CL.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/support/DialogAnswerer.h"

namespace lum::test {
namespace {

constexpr wchar_t kCaption[] = L"スクリーンセーバー情報の編集";
const std::vector<std::wstring> kCategories = {L"全て", L"未設定", L"スポーツカー", L"スポーツ", L"Sports"};

SaverItem Entry(const std::wstring& category, int largeImage = 0) {
    SaverItem item;
    item.category = category;
    item.title = L"古いタイトル";
    item.scr = L"C:\\windows\\system32\\demo.scr";
    item.folder = L"C:\\data\\00001";
    item.large_image = largeImage;
    return item;
}

// Each case also runs the category editor (which adds one category): the
// combo then offers the new list and still shows the entry's category, and
// the caller must regroup even after a cancel.
TEST(InfoDialog, KeepsTheExactCategoryAndAcceptsOnlyAfterAChange) {
    const struct {
        const wchar_t* stored;  // not "スポーツカー", which starts with it; not "Sports"; one the list lacks
        int largeImage;
        int button;
    } cases[] = {{L"スポーツ", 0, 4096}, {L"sports", 1, 4096}, {L"消えたカテゴリ", 256, 4096}, {L"Sports", 0, 4098}};
    for (const auto& c : cases) {
        CatalogScope scope(kCategories);
        SaverInfoSettingDialog_CL dialog;
        dialog.m_Item = Entry(c.stored, c.largeImage);
        DialogAnswerer editor(L"カテゴリ情報の編集", [](HWND hwnd) {
            Notify(hwnd, ::GetDlgItem(hwnd, 4352 + 4), BN_CLICKED);  // "カテゴリの追加"
            PressButton(hwnd, 4096);
        });
        bool acceptAtStart = true, acceptAfterEditor = true, acceptAfterTyping = false, checked = false;
        std::wstring shown, shownAfter;
        LRESULT countBefore = 0, countAfter = 0;
        DialogAnswerer answer(kCaption, [&](HWND hwnd) {
            HWND combo = dialog.m_pCategoryCombo->m_hWnd;
            acceptAtStart = IsEnabled(hwnd, 4096);
            shown = WindowText(combo);
            checked = ::SendMessageW(dialog.m_pPreviewCheck->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
            countBefore = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
            Notify(hwnd, dialog.m_pCategoryButton->m_hWnd, BN_CLICKED);
            countAfter = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
            shownAfter = WindowText(combo);
            acceptAfterEditor = IsEnabled(hwnd, 4096);
            TypeReplacing(dialog.m_pTitleEdit->m_hWnd, std::wstring(70, L'あ'));
            acceptAfterTyping = IsEnabled(hwnd, 4096);
            PressButton(hwnd, c.button);
        });
        const bool accepted = c.button == 4096;
        ASSERT_EQ(dialog.RunModal(nullptr), accepted ? 1 : 0) << Narrow(c.stored);
        EXPECT_FALSE(acceptAtStart) << "filling the fields counted as a change";
        EXPECT_FALSE(acceptAfterEditor);
        EXPECT_TRUE(acceptAfterTyping);
        EXPECT_EQ(shown, c.stored);
        EXPECT_EQ(shownAfter, c.stored);
        EXPECT_EQ(countAfter, countBefore + 1);
        EXPECT_EQ(checked, c.largeImage != 0);
        EXPECT_TRUE(dialog.m_bCategoriesEdited);
        EXPECT_EQ(dialog.m_Item.category, c.stored) << "changing the title moved the entry";
        EXPECT_EQ(dialog.m_Item.title, accepted ? std::wstring(64, L'あ') : L"古いタイトル") << "at most 64";
        EXPECT_EQ(dialog.m_Item.large_image, accepted ? (c.largeImage != 0 ? 1 : 0) : c.largeImage);
    }
}

// The lookup fills the fields and brings the picture to the entry, or tells
// the user plainly that the database knows nothing or did not answer.
TEST(InfoDialog, WebLookupFillsTheFieldsOrSaysWhy) {
    const std::wstring root = DistFolder() + L"\\demo\\db";
    if (!FileExists(root + L"\\lumenary\\db_saver_index.txt")) GTEST_SKIP() << "the demo database was not built";
    TestHttpServer server(root);
    ASSERT_TRUE(server.running());
    TempFolder savers;
    const std::wstring known = DistFolder() + L"\\demo\\Starfield.scr";
    const std::wstring closed = L"127.0.0.1:" + std::to_wstring(ClosedPort());
    const struct {
        std::wstring scr, host;
        const wchar_t* message;  // the notice after the question; null when found
    } cases[] = {
        {known, server.HostSetting(), nullptr},
        {MakeSaverFile(savers.path(), L"Unknown.scr", 4096, 7), server.HostSetting(), kWebNothingFound},
        {known, closed, kWebNoAnswer},
    };
    for (const auto& c : cases) {
        CatalogScope scope(kCategories);
        WriteIniString(scope.catalog.settings_path, L"SAVER_SETTING", kDatabaseHostKey, c.host);
        TempFolder entry;
        SaverInfoSettingDialog_CL dialog;
        dialog.m_Item = Entry(L"未設定");
        dialog.m_Item.scr = c.scr;
        dialog.m_Item.folder = entry.path();
        DialogAnswerer notices(L"お知らせ", [](HWND box) {
            PressButton(box, MessageBoxText(box).find(L"実行しますか") != std::wstring::npos ? IDYES : IDOK);
        });
        std::wstring title;
        DialogAnswerer answer(kCaption, [&](HWND hwnd) {
            Notify(hwnd, dialog.m_pWebLookupButton->m_hWnd, BN_CLICKED);
            title = WindowText(dialog.m_pTitleEdit->m_hWnd);
            PressButton(hwnd, IsEnabled(hwnd, 4096) ? 4096 : 4098);
        });
        const INT_PTR result = dialog.RunModal(nullptr);
        const auto seen = notices.Seen();
        ASSERT_EQ(seen.size(), c.message ? 2u : 1u);
        EXPECT_EQ(result, c.message ? 0 : 1);
        if (c.message) {
            EXPECT_EQ(seen.back().text, c.message);
            EXPECT_EQ(title, L"古いタイトル");
            continue;
        }
        EXPECT_EQ(dialog.m_Item.title, L"星の海");
        EXPECT_EQ(dialog.m_Item.category, L"未設定") << "the fetched category is not used";
        EXPECT_GT(ReadBytes(entry / L"image.png").size(), 24u) << "the picture did not reach the entry";
        EXPECT_FALSE(FileExists(scope.temp / L"image.png")) << "the fetched picture was left behind";
    }
}

} // namespace
} // namespace lum::test
