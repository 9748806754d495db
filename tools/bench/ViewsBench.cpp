// How fast the left pane is with 2,000 entries in one category: from
// creating the pane to its first painted list, and one screen of rows.
#include "tests/support/PaneTestSupport.h"
#include "toolkit/GdiPlusOwners.h"
#include "views/SaverListTabWindow.h"

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>

namespace {

double Seconds() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) ::QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Memory {
    double workingSet = 0, committed = 0;  // megabytes
};

Memory MemoryNow() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    const double mb = 1024.0 * 1024.0;
    return Memory{static_cast<double>(counters.WorkingSetSize) / mb, static_cast<double>(counters.PagefileUsage) / mb};
}

} // namespace

int wmain() {
    using namespace lum;
    const int kEntries = 2000;
    GdiplusSession gdiplus;
    test::InitControls();
    test::TestCollection collection;

    double t = Seconds();
    const std::wstring picture = collection.Root() + L"\\thumbnail.png";
    test::WritePicture(picture, 128, 96, 0xFF3070C0, 0xFF183860, 0xFFFFFFFF);
    // The entry files are written whole (one profile call per key would
    // take most of a minute under Wine); they read back the same.
    for (int i = 0; i < kEntries; ++i) {
        wchar_t number[16];
        std::swprintf(number, 16, L"%05d", i);
        const std::wstring folder = collection.catalog.CollectionFolder() + L"\\" + number;
        test::MakeFolders(folder);
        test::WriteUtf16File(folder + L"\\saver_item.ini",
                             L"[SAVER_ITEM]\r\nsort_id=" + std::to_wstring(i) +
                                 L"\r\ncategory=動物\r\ntitle=スクリーンセーバー " + std::to_wstring(i) +
                                 L"\r\nnote=ベンチマーク用の項目です。\r\nweb=\r\nscr=C:\\windows\\system32\\s" +
                                 std::to_wstring(i) + L".scr\r\nlarge_image=0\r\nuse_original_saver=0\r\n");
        ::CopyFileW(picture.c_str(), (folder + L"\\image.png").c_str(), FALSE);
    }
    const double written = Seconds() - t;
    const Memory memoryBefore = MemoryNow();
    t = Seconds();
    collection.Load();
    const double loaded = Seconds() - t;

    const int rowsOnScreen = 8;
    SaverListTabWindow_CL pane;
    test::TestWindow main(0, 0, 640, rowsOnScreen * kSaverRowHeight + 60, test::TestWindow::Shown);

    t = Seconds();
    HWND tabs = pane.Create(&collection.catalog, static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), main.hwnd());
    RECT client{};
    ::GetClientRect(main.hwnd(), &client);
    ::MoveWindow(tabs, 0, 0, client.right, client.bottom, TRUE);
    pane.SelectTab(pane.FindTabByName(L"動物"));
    ::RedrawWindow(main.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double firstPaint = Seconds() - t;
    const Memory memoryAfter = MemoryNow();

    HWND list = pane.ListBox();
    RECT listClient{};
    ::GetClientRect(list, &listClient);
    const int visible = (listClient.bottom + kSaverRowHeight - 1) / kSaverRowHeight;
    const int rounds = 30;
    t = Seconds();
    for (int i = 0; i < rounds; ++i) {
        ::InvalidateRect(list, nullptr, TRUE);
        ::UpdateWindow(list);
    }
    const double screen = (Seconds() - t) / rounds;

    // Scrolling to the end: rows far down the list cost the same.
    ::SendMessageW(list, LB_SETTOPINDEX, kEntries - 1, 0);
    t = Seconds();
    for (int i = 0; i < rounds; ++i) {
        ::InvalidateRect(list, nullptr, TRUE);
        ::UpdateWindow(list);
    }
    const double screenAtEnd = (Seconds() - t) / rounds;

    // The same rows without their thumbnails: what decoding the PNGs costs.
    const auto& rows = collection.catalog.groups[static_cast<size_t>(pane.CurrentCategorySlot())].items;
    for (size_t row = rows.size() - static_cast<size_t>(visible) - 1; row < rows.size(); ++row)
        ::DeleteFileW(collection.catalog.items[static_cast<size_t>(rows[row])].image.c_str());
    t = Seconds();
    for (int i = 0; i < rounds; ++i) {
        ::InvalidateRect(list, nullptr, TRUE);
        ::UpdateWindow(list);
    }
    const double screenNoPictures = (Seconds() - t) / rounds;

    std::printf("entries in one category:          %d (rows in the list: %d)\n", kEntries,
                static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)));
    std::printf("writing the collection:           %.2f s\n", written);
    std::printf("loading it (LoadCatalog):         %.1f ms\n", loaded * 1000);
    std::printf("create pane until first paint:    %.1f ms\n", firstPaint * 1000);
    std::printf("one screen of rows (%d rows):      %.2f ms  (%.2f ms a row)\n", visible, screen * 1000,
                screen * 1000 / visible);
    std::printf("one screen at the end of the list: %.2f ms\n", screenAtEnd * 1000);
    std::printf("the same without thumbnails:      %.2f ms\n", screenNoPictures * 1000);
    std::printf("working set, catalogue + pane:    %.1f MB -> %.1f MB\n", memoryBefore.workingSet,
                memoryAfter.workingSet);
    std::printf("committed, catalogue + pane:      %.1f MB -> %.1f MB\n", memoryBefore.committed,
                memoryAfter.committed);
    return 0;
}
