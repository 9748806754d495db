// Loads a collection of 2,000 entries and compares it with merely reading
// the bytes of the same entry files. Prints the figures; asserts nothing.
#include "store/CategoryList.h"
#include "store/EntryFolder.h"
#include "store/SaverCatalog.h"
#include "tests/store/StoreFixture.h"
#include "tests/support/TestSupport.h"
#include "base/Scoped.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kEntries = 2000;
constexpr int kRepeats = 5;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

size_t ReadAllBytes(const std::vector<std::wstring>& paths) {
    size_t total = 0;
    std::vector<char> buffer(64 * 1024);
    for (const auto& path : paths) {
        lum::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) continue;
        DWORD got = 0;
        while (::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
            total += got;
    }
    return total;
}

int CountWritten(const std::vector<std::wstring>& paths, const FILETIME& aged) {
    int written = 0;
    for (const auto& path : paths)
        if (!lum::test::SameTime(lum::test::LastWriteTime(path), aged)) ++written;
    return written;
}

FILETIME AgeAll(const std::vector<std::wstring>& paths) {
    for (const auto& path : paths) lum::test::AgeFile(path);
    return paths.empty() ? FILETIME{} : lum::test::LastWriteTime(paths.front());
}

size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

} // namespace

int wmain() {
    lum::test::StoreFolder store;
    lum::SaverCatalog& catalog = store.catalog;
    const auto& categories = lum::DefaultCategories();

    // Entries as the program writes them, all eight keys, in reverse order
    // within their categories so that the first load must renumber them.
    std::vector<std::wstring> paths;
    for (int i = 0; i < kEntries; ++i) {
        const std::wstring category = (i % 50 == 0) ? L"趣味" : categories[1 + i % (categories.size() - 1)];
        const std::wstring folder = lum::EntryFolderPath(L"", i);
        paths.push_back(store.WriteEntry(
            folder, L"sort_id=" + std::to_wstring(kEntries - i) + L"\r\ncategory=" + category +
                        L"\r\ntitle=スクリーンセーバー " + std::to_wstring(i) +
                        L"\r\nnote=夜空を流れる星と、ゆっくり回る惑星。設定画面で速度と数を変えられます。" +
                        L"\r\nweb=http://example.invalid/savers/" + std::to_wstring(i) +
                        L".html\r\nscr=C:\\windows\\system32\\saver" + std::to_wstring(i) +
                        L".scr\r\nlarge_image=0\r\nuse_original_saver=0\r\n"));
    }

    FILETIME aged = AgeAll(paths);
    auto start = Clock::now();
    lum::LoadCatalog(catalog);
    const double firstLoad = MillisecondsSince(start);
    const int firstWritten = CountWritten(paths, aged);

    aged = AgeAll(paths);
    std::vector<double> secondLoads;
    for (int r = 0; r < kRepeats; ++r) {
        start = Clock::now();
        lum::LoadCatalog(catalog);
        secondLoads.push_back(MillisecondsSince(start));
    }
    const int secondWritten = CountWritten(paths, aged);

    std::vector<double> reads;
    size_t bytes = 0;
    for (int r = 0; r < kRepeats; ++r) {
        start = Clock::now();
        bytes = ReadAllBytes(catalog.entry_files);
        reads.push_back(MillisecondsSince(start));
    }

    const double secondLoad = Median(secondLoads);
    const double read = Median(reads);
    std::printf("entries loaded:          %zu (of %d made), %zu groups\n", catalog.items.size(), kEntries,
                catalog.groups.size());
    std::printf("first LoadCatalog:       %9.1f ms  (%d entry files rewritten)\n", firstLoad, firstWritten);
    std::printf("second LoadCatalog:      %9.1f ms  median of %d (%d entry files rewritten)\n", secondLoad,
                kRepeats, secondWritten);
    std::printf("reading the files' bytes:%9.1f ms  median of %d (%zu bytes)\n", read, kRepeats, bytes);
    std::printf("ratio first / bytes:     %9.1f\n", read > 0 ? firstLoad / read : 0.0);
    std::printf("ratio second / bytes:    %9.1f\n", read > 0 ? secondLoad / read : 0.0);
    std::printf("per entry, second load:  %9.3f ms\n", secondLoad / kEntries);
    std::printf("ANSI code page:          %9u\n", ::GetACP());
    std::printf("peak working set:        %9.1f MiB\n", PeakWorkingSet() / (1024.0 * 1024.0));
    return 0;
}
