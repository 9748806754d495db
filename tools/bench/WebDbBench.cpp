// Not a test: times a lookup in a 10,000-record database on 127.0.0.1
// against a plain download of the same index from the same server, and
// prints both with their ratio: one lookup with the match in the first and
// in the last record, a batch of ten lookups through one database object
// (as the new-saver dialog adds ten savers), and one small request.
// winsock2.h (through the fixture) must come before windows.h.
#include "tests/webdb/DatabaseFixture.h"
#include "store/WebSaverDatabase.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace lum;
using namespace lum::test;

namespace {

constexpr int kRecords = 10000;
constexpr int kRounds = 15;
constexpr int kBatch = 10;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F>
std::vector<double> Time(F&& work) {
    std::vector<double> ms;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!work()) {
            std::printf("a round failed\n");
            std::exit(1);
        }
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return ms;
}

} // namespace

int main() {
    DatabaseFolder db;
    const std::wstring first = MakeSaverFile(db.SaverFolder(), L"First.scr", 4000, 1);
    const std::wstring last = MakeSaverFile(db.SaverFolder(), L"Last.scr", 4000, 2);
    // The batch's savers lie spread over the whole index.
    std::vector<std::wstring> batch;
    std::vector<int> batchAt;
    for (int b = 0; b < kBatch; ++b) {
        batch.push_back(MakeSaverFile(db.SaverFolder(), L"Batch" + std::to_wstring(b) + L".scr", 3000,
                                      10 + static_cast<unsigned>(b)));
        batchAt.push_back(1 + b * (kRecords - 3) / (kBatch - 1));
    }
    dbbuilder::DatabaseWriter writer;
    writer.Add(KeyOf(first), L"First.scr", {L"アート", L"最初", L"説明", L"http://a.example/"}, false, 0);
    for (int i = 1, b = 0; i < kRecords - 1; ++i) {
        if (b < kBatch && i == batchAt[static_cast<size_t>(b)]) {
            const std::wstring name = L"Batch" + std::to_wstring(b) + L".scr";
            writer.Add(KeyOf(batch[static_cast<size_t>(b)]), name, {L"動物", name, L"説明", L"http://b.example/"},
                       false, 0);
            ++b;
            continue;
        }
        writer.Add(0x100000 + static_cast<uint64_t>(i), L"Saver" + std::to_wstring(i) + L".scr",
                   {L"自然／風景", L"題名 " + std::to_wstring(i), std::wstring(40, L'説'), L"http://example.invalid/"},
                   false, 0);
    }
    writer.Add(KeyOf(last), L"Last.scr", {L"アート", L"最後", L"説明", L"http://z.example/"}, false, 1);
    db.Write(writer, {SmallPng(1), std::vector<unsigned char>(12000, 0x42)});
    const DatabaseEndpoint endpoint = db.Endpoint();
    const DWORD indexSize = static_cast<DWORD>(writer.Index().size());

    auto download = [&] {
        InetHttp_CL http;
        return http.Open() && http.Connect(endpoint.host, endpoint.port) &&
               http.Request(kIndexRequestPath) == 1 && http.Read(indexSize) == indexSize;
    };
    auto lookup = [&](const std::wstring& saver) {
        return [&endpoint, &db, saver] {
            SaverItem item;
            return LookupSaverInfo(endpoint, saver, db.DestFolder(), item) == FetchOutcome::Found;
        };
    };

    db.PointSettingsAt(db.Server().HostSetting());
    auto batchOfTen = [&] {
        WebSaverDatabase_CL database(db.SettingsPath());
        for (const auto& saver : batch) {
            SaverItem item;
            if (!database.FetchInfo(saver, db.DestFolder(), item)) return false;
        }
        return true;
    };

    download();  // warm the server and the platform's first-use costs
    lookup(last)();
    const double plain = Median(Time(download));
    const double worst = Median(Time(lookup(last)));
    const double best = Median(Time(lookup(first)));
    const double tenAtOnce = Median(Time(batchOfTen));
    // What a request costs whatever its size: the floor under each lookup's
    // two small requests (strings by range, picture).
    const double oneRange = Median(Time([&] {
        std::vector<unsigned char> bytes;
        return FetchStringBytes(endpoint, 1000, 100, FetchOptions(), bytes) == FetchOutcome::Found;
    }));

    std::printf("database: %d records, index %lu bytes, strings %zu bytes\n", kRecords,
                static_cast<unsigned long>(indexSize), writer.Strings().size());
    std::printf("plain download of the index:      %8.2f ms (median of %d)\n", plain, kRounds);
    std::printf("lookup, match in the last record:  %8.2f ms   ratio to download %.2f\n", worst, worst / plain);
    std::printf("lookup, match in the first record: %8.2f ms   ratio to download %.2f\n", best, best / plain);
    std::printf("batch of %d lookups:               %8.2f ms   ratio to download %.2f\n", kBatch, tenAtOnce,
                tenAtOnce / plain);
    std::printf("one 100-byte range request:        %8.2f ms   ratio to download %.2f\n", oneRange, oneRange / plain);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory)) {
        std::printf("peak working set: %.1f MB\n", memory.PeakWorkingSetSize / (1024.0 * 1024.0));
    }
    return 0;
}
