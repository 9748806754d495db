// How long the main window takes to appear over 2,000 entries of one
// category, until the saver list has painted, and how long one screen of
// rows takes to draw. Prints the figures; asserts nothing.
#include "base/IniFile.h"
#include "app/MainView.h"
#include "app/MainWindowClass.h"
#include "tests/support/TestSupport.h"

#include <psapi.h>

#include <chrono>
#include <cstdio>

using namespace lum;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

size_t WorkingSetKb() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.WorkingSetSize / 1024;
}

} // namespace

int main() {
    constexpr int kEntries = 2000;
    test::TempFolder temp;
    const std::wstring all = temp / L"Collection\\all";
    test::MakeFolders(all);
    const std::vector<unsigned char> thumb = test::ReadBytes(test::DistFolder() + L"\\no_image.png");
    for (int i = 0; i < kEntries; ++i) {
        wchar_t name[8];
        swprintf(name, 8, L"%05d", i);
        const std::wstring folder = all + L"\\" + name;
        ::CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring ini = folder + L"\\saver_item.ini";
        WriteIniInt(ini, L"SAVER_ITEM", L"sort_id", i);
        WriteIniString(ini, L"SAVER_ITEM", L"category", L"アート");
        WriteIniString(ini, L"SAVER_ITEM", L"title", L"スクリーンセーバー " + std::to_wstring(i));
        WriteIniString(ini, L"SAVER_ITEM", L"note", L"説明文のテキスト");
        WriteIniString(ini, L"SAVER_ITEM", L"scr", L"C:\\windows\\system32\\none.scr");
        test::WriteBytes(folder + L"\\image.png", thumb);
    }

    RegisterMainWindowClass(::GetModuleHandleW(nullptr));
    const size_t before = WorkingSetKb();
    MainView_CL view;
    view.SetSettingsPath(temp / L"Lumenary.ini");
    const auto t0 = Clock::now();
    HWND hwnd = CreateMainWindow(::GetModuleHandleW(nullptr), view);
    view.SetWindow(hwnd);
    // The category tab holding the entries, as a user would open it.
    HWND list = view.ListPane().ListBox();
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const auto t1 = Clock::now();

    constexpr int kRepaints = 20;
    const auto t2 = Clock::now();
    for (int i = 0; i < kRepaints; ++i)
        ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto t3 = Clock::now();
    RECT rc{};
    ::GetClientRect(list, &rc);
    const size_t after = WorkingSetKb();

    std::printf("entries: %d\n", kEntries);
    std::printf("main window created until first list paint: %.1f ms\n", Ms(t1 - t0));
    std::printf("one screen of rows (%ld px high, %ld rows): %.2f ms\n", rc.bottom, (rc.bottom + 103) / 104,
                Ms(t3 - t2) / kRepaints);
    std::printf("working set: %zu KiB before, %zu KiB after (+%zu KiB)\n", before, after, after - before);
    ::DestroyWindow(hwnd);
    view.Teardown();
    return 0;
}
