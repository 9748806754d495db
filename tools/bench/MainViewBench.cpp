// How long the main window takes until its saver list first paints, with an
// empty collection and with 2,000 entries of one category; what the entries
// add is set against merely reading the bytes of their files. Also one
// screen of rows. Prints the figures; asserts nothing.
#include "app/MainView.h"
#include "app/MainWindowClass.h"
#include "base/Scoped.h"
#include "store/SaverCatalog.h"
#include "tests/support/TestSupport.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace lum;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kEntries = 2000;
constexpr int kRepeats = 3;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

size_t WorkingSetKb() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.WorkingSetSize / 1024;
}

std::vector<std::wstring> WriteCollection(const std::wstring& all, int entries) {
    test::MakeFolders(all);
    const std::vector<unsigned char> thumb = test::ReadBytes(test::DistFolder() + L"\\no_image.png");
    std::vector<std::wstring> files;
    for (int i = 0; i < entries; ++i) {
        wchar_t name[8];
        swprintf(name, 8, L"%05d", i);
        const std::wstring folder = all + L"\\" + name;
        ::CreateDirectoryW(folder.c_str(), nullptr);
        files.push_back(folder + L"\\saver_item.ini");
        test::WriteUtf16File(files.back(), L"[SAVER_ITEM]\r\nsort_id=" + std::to_wstring(i) +
                                               L"\r\ncategory=アート\r\ntitle=スクリーンセーバー " +
                                               std::to_wstring(i) + L"\r\nnote=説明文のテキスト\r\nweb=\r\n"
                                               L"scr=C:\\windows\\system32\\none.scr\r\nlarge_image=0\r\n"
                                               L"use_original_saver=0\r\n");
        test::WriteBytes(folder + L"\\image.png", thumb);
    }
    return files;
}

double LoadAlone(const std::wstring& settingsPath) {
    SaverCatalog catalog;
    catalog.settings_path = settingsPath;
    const auto start = Clock::now();
    LoadCatalog(catalog);
    return Ms(Clock::now() - start);
}

double ReadAllBytes(const std::vector<std::wstring>& paths) {
    const auto start = Clock::now();
    std::vector<char> buffer(64 * 1024);
    for (const auto& path : paths) {
        UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD got = 0;
        while (file && ::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
               got > 0) {
        }
    }
    return Ms(Clock::now() - start);
}

struct Opened {
    double untilFirstPaint = 0;
    double screenOfRows = 0;
    long listHeight = 0;
    size_t workingSetKb = 0;
};

Opened OpenMainWindow(const std::wstring& settingsPath) {
    Opened result;
    MainView_CL view;
    view.SetSettingsPath(settingsPath);
    const auto t0 = Clock::now();
    HWND hwnd = CreateMainWindow(::GetModuleHandleW(nullptr), view);
    view.SetWindow(hwnd);
    HWND list = view.ListPane().ListBox();
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    result.untilFirstPaint = Ms(Clock::now() - t0);

    constexpr int kRepaints = 20;
    const auto t2 = Clock::now();
    for (int i = 0; i < kRepaints; ++i) ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    result.screenOfRows = Ms(Clock::now() - t2) / kRepaints;
    RECT rc{};
    ::GetClientRect(list, &rc);
    result.listHeight = rc.bottom;
    result.workingSetKb = WorkingSetKb();
    ::DestroyWindow(hwnd);
    view.Teardown();
    return result;
}

} // namespace

int main() {
    test::TempFolder emptyHome;
    test::TempFolder fullHome;
    WriteCollection(emptyHome / L"Collection\\all", 0);
    const std::vector<std::wstring> files = WriteCollection(fullHome / L"Collection\\all", kEntries);
    RegisterMainWindowClass(::GetModuleHandleW(nullptr));

    OpenMainWindow(emptyHome / L"Lumenary.ini");  // the platform's first-use costs
    std::vector<double> empty, full, bytes, loads;
    Opened last;
    for (int r = 0; r < kRepeats; ++r) {
        empty.push_back(OpenMainWindow(emptyHome / L"Lumenary.ini").untilFirstPaint);
        last = OpenMainWindow(fullHome / L"Lumenary.ini");
        full.push_back(last.untilFirstPaint);
        bytes.push_back(ReadAllBytes(files));
        loads.push_back(LoadAlone(fullHome / L"Lumenary.ini"));
    }
    const double added = Median(full) - Median(empty);
    const double read = Median(bytes);
    std::printf("entries: %d (medians of %d)\n", kEntries, kRepeats);
    std::printf("until first list paint, no entries:    %8.1f ms\n", Median(empty));
    std::printf("until first list paint, %d entries:  %8.1f ms\n", kEntries, Median(full));
    std::printf("what the entries add:                  %8.1f ms\n", added);
    std::printf("reading the entry files' bytes:        %8.1f ms\n", read);
    std::printf("ratio added / bytes:                   %8.1f\n", read > 0 ? added / read : 0.0);
    std::printf("of which loading the catalogue:        %8.1f ms (ratio to bytes %.1f)\n", Median(loads),
                read > 0 ? Median(loads) / read : 0.0);
    std::printf("one screen of rows (%ld px high, %ld rows): %.2f ms\n", last.listHeight, (last.listHeight + 103) / 104,
                last.screenOfRows);
    std::printf("working set with %d entries open: %.1f MB\n", kEntries, last.workingSetKb / 1024.0);
    return 0;
}
