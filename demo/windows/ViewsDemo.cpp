// Both panes side by side over a small collection with thumbnails, for
// looking at. Arguments: "still" selects the entry with a large picture,
// "missing" one whose saver file is gone, anything else selects nothing;
// a number shows that category tab. Closes itself after 60 seconds.
#include "base/Scoped.h"
#include "tests/support/PaneTestSupport.h"
#include "toolkit/GdiPlusOwners.h"
#include "views/SaverListTabWindow.h"
#include "views/SaverPreviewTabWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>

using namespace lum;

namespace {

void InsertTab(HWND tabs, int index, const wchar_t* text) {
    std::wstring copy = text;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = &copy[0];
    ::SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::wstring mode = argc > 1 ? argv[1] : L"";
    const int tabIndex = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 0;
    ::LocalFree(argv);

    GdiplusSession gdiplus;
    test::TestCollection collection;
    struct Sample { const wchar_t* category; const wchar_t* title; const wchar_t* note; uint32_t colour; };
    const Sample samples[] = {
        {L"自然／風景", L"星の海", L"夜空を流れる無数の星。静かな宇宙の旅をどうぞ。", 0xFF203070},
        {L"自然／風景", L"オーロラ", L"北の空に揺れる光のカーテン。", 0xFF207050},
        {L"動物", L"金魚すくい", L"夏祭りの水槽で泳ぐ金魚たち。", 0xFFE06020},
        {L"動物", L"ねこの昼寝", L"日だまりで眠るねこ。時々しっぽが動きます。", 0xFFB08040},
        {L"アート", L"プラズマ", L"色が溶け合いながら渦を巻く模様。", 0xFF9030B0},
        {L"アート", L"シャボン玉", L"ふわふわと浮かぶ虹色のシャボン玉。", 0xFF30A0C0},
        {L"乗り物", L"夜行列車", L"窓の外を流れる街の灯り。", 0xFF404040},
    };
    int sort = 0;
    for (const Sample& s : samples)
        collection.AddEntry(test::EntryFields{s.category, s.title, s.note, sort++, L"", s.colour});
    collection.AddEntry(test::EntryFields(L"アート", L"大きな一枚絵", L"この項目は大きな画像を表示します。", 10, L"",
                                        0xFFC0A020)
                            .WithLargePicture(640, 360, 0xFF3080E0, 0xFF20A040));
    collection.AddEntry(test::EntryFields{L"乗り物", L"消えたセーバー", L"ファイルが削除されています。", 11,
                                        collection.Root() + L"\\消えた\\Gone.scr", 0xFF806060});
    collection.Load();

    test::TestWindow main(0, 0, 1180, 760, test::TestWindow::Shown);
    SaverListTabWindow_CL list;
    SaverPreviewTabWindow_CL preview;
    SaverItem current;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const UniqueFont owned(::CreateFontIndirectW(&metrics.lfMessageFont));
    const HFONT font = owned.get();

    preview.View().SetCurrentItem(&current);
    HWND right = preview.CreateAndSubclass(WS_EX_CLIENTEDGE, WC_TABCONTROLW, nullptr,
                                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 300, 300,
                                           main.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdRightPane)),
                                           instance, nullptr);
    ::SendMessageW(right, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    InsertTab(right, 0, L"スクリーンセーバーを探す");
    InsertTab(right, 1, L"プレビュー");
    ::SendMessageW(right, TCM_SETCURSEL, 1, 0);

    HWND left = list.Create(&collection.catalog, font, main.hwnd());
    list.SelectTab(tabIndex);
    ::MoveWindow(left, 0, 0, 420, 761, TRUE);
    ::MoveWindow(right, 426, 0, 754, 761, TRUE);

    const int slot = list.CategorySlotOfTab(tabIndex);
    const auto& rows = collection.catalog.groups[static_cast<size_t>(slot)].items;
    for (size_t row = 0; row < rows.size(); ++row) {
        const SaverItem& item = collection.catalog.items[static_cast<size_t>(rows[row])];
        const bool wanted = (mode == L"still" && item.large_image) || (mode == L"missing" && item.title == L"消えたセーバー");
        if (!wanted) continue;
        ::SendMessageW(list.ListBox(), LB_SETCURSEL, row, 0);
        ::SendMessageW(list.ListBox(), LB_SETTOPINDEX, row > 2 ? row - 2 : 0, 0);
        current = item;
    }
    ::InvalidateRect(main.hwnd(), nullptr, TRUE);

    ::SetTimer(main.hwnd(), 1, 60000, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == main.hwnd()) break;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::DestroyWindow(main.hwnd());
    return 0;
}
