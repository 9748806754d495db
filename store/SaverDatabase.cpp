#include "store/SaverDatabase.h"

#include "base/AppSettings.h"
#include "base/ModulePath.h"
#include "store/SaverFingerprint.h"
#include "base/Scoped.h"

#include <algorithm>
#include <new>

namespace lum {

namespace {

// Not every SDK's wininet.h names it.
constexpr DWORD kStatusRangeNotSatisfiable = 416;

std::wstring Trim(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return std::wstring();
    const size_t last = text.find_last_not_of(L" \t");
    return text.substr(first, last - first + 1);
}

bool ParsePort(const std::wstring& text, INTERNET_PORT& port) {
    if (text.empty() || text.size() > 5) return false;
    unsigned value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (value == 0 || value > 65535) return false;
    port = static_cast<INTERNET_PORT>(value);
    return true;
}

bool ValidHostName(const std::wstring& host) {
    if (host.empty()) return false;
    for (wchar_t c : host) {
        if (c <= L' ' || c == L'/' || c == L'\\' || c == L'@' || c == L'?' || c == L'#' || c == L'[' || c == L']') {
            return false;
        }
    }
    return true;
}

FetchOutcome FailureOf(const InetHttp_CL& http) {
    return IsConnectionFailure(http.LastError()) ? FetchOutcome::Unreachable : FetchOutcome::Failed;
}

// Session, connection and the GET in one step, as each of the three
// downloads starts.
bool StartRequest(InetHttp_CL& http, const DatabaseEndpoint& endpoint, const FetchOptions& options,
                  const std::wstring& path, const std::wstring& headers = std::wstring()) {
    return http.Open(options.timeouts) && http.Connect(endpoint.host, endpoint.port) &&
           http.Request(path, headers) == 1;
}

bool Fits(uint32_t offset, uint32_t count, int64_t total) {
    return total >= 0 && static_cast<uint64_t>(offset) + count <= static_cast<uint64_t>(total);
}

FetchOutcome ReadExactly(InetHttp_CL& http, uint32_t count, std::vector<unsigned char>& out) {
    if (http.Read(count) != count) return FailureOf(http);
    out.assign(http.Data(), http.Data() + count);
    return FetchOutcome::Found;
}

// A Range answer, checked to be the bytes we asked for.
bool IsRequestedRange(const InetHttp_CL& http, uint32_t offset, uint32_t count) {
    ContentRange range;
    return ParseContentRange(http.QueryHeader(HTTP_QUERY_CONTENT_RANGE), range) && range.first == offset &&
           range.last == static_cast<uint64_t>(offset) + count - 1;
}

FetchOutcome FetchByRange(const DatabaseEndpoint& endpoint, uint32_t offset, uint32_t count,
                          const FetchOptions& options, std::vector<unsigned char>& out, bool allowWholeFile) {
    InetHttp_CL http;
    if (!StartRequest(http, endpoint, options, kStringsRequestPath, RangeHeader(offset, count))) {
        if (http.StatusCode() == kStatusRangeNotSatisfiable) return FetchOutcome::NotFound;
        return FailureOf(http);
    }
    if (http.StatusCode() == HTTP_STATUS_PARTIAL_CONTENT) {
        ContentRange range;
        if (!ParseContentRange(http.QueryHeader(HTTP_QUERY_CONTENT_RANGE), range)) return FetchOutcome::Failed;
        // A server cuts a range that runs past the end: the record does not fit.
        if (range.total >= 0 && !Fits(offset, count, range.total)) return FetchOutcome::NotFound;
        if (!IsRequestedRange(http, offset, count)) return FetchOutcome::Failed;
        return ReadExactly(http, count, out);
    }
    // 200: the server ignored the range and sends the whole file.
    if (!allowWholeFile) return FetchOutcome::Failed;
    if (!Fits(offset, count, http.ContentLength())) return FetchOutcome::NotFound;
    if (http.Skip(offset) != offset) return FailureOf(http);
    return ReadExactly(http, count, out);
}

bool WritePicture(const std::wstring& path, const unsigned char* data, DWORD size) {
    bool written = false;
    {
        UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD done = 0;
        written = ::WriteFile(file.get(), data, size, &done, nullptr) && done == size;
    }
    if (!written) ::DeleteFileW(path.c_str());
    return written;
}

// The matching record's strings and picture, into `item` and destFolder.
FetchOutcome FetchRecord(const DatabaseEndpoint& endpoint, const SaverIndexRecord& record,
                         const std::wstring& destFolder, SaverItem& item, const FetchOptions& options) {
    std::vector<unsigned char> bytes;
    const FetchOutcome strings = FetchStringBytes(endpoint, record.stringOffset, record.StringBytes(), options, bytes);
    if (strings != FetchOutcome::Found) return strings;
    SaverRecordStrings texts;
    if (!DecodeRecordStrings(record, bytes.data(), bytes.size(), texts)) return FetchOutcome::Failed;
    // An empty category or title means the publisher has none: the record
    // keeps what it had ("未設定" and the file name for a new entry) rather
    // than getting a nameless category that would be added to the list.
    if (!texts.category.empty()) item.category = texts.category;
    if (!texts.title.empty()) item.title = texts.title;
    item.note = texts.note;
    item.web = texts.web;
    item.large_image = record.largeImage ? 1 : 0;

    InetHttp_CL http;
    if (!StartRequest(http, endpoint, options, kPictureRequestFolder + PictureFileName(record.pictureNumber))) {
        return FailureOf(http);
    }
    // An empty answer is no picture: the caller's placeholder serves better.
    const int32_t size = http.ContentLength();
    if (size <= 0 || size > kPictureMaxBytes) return FetchOutcome::Failed;
    if (http.Read(static_cast<DWORD>(size)) != static_cast<DWORD>(size)) return FailureOf(http);
    if (!WritePicture(destFolder + L"\\image.png", http.Data(), static_cast<DWORD>(size))) {
        return FetchOutcome::Failed;
    }
    return FetchOutcome::Found;
}

} // namespace

bool ParseDatabaseHost(const std::wstring& text, DatabaseEndpoint& out) {
    const std::wstring value = Trim(text);
    DatabaseEndpoint result;
    if (value.empty()) {
        result.host = kDefaultDatabaseHost;
        out = result;
        return true;
    }
    std::wstring host = value;
    std::wstring port;
    if (value[0] == L'[') {
        const size_t close = value.find(L']');
        if (close == std::wstring::npos || close == 1) return false;
        host = value.substr(1, close - 1);
        const std::wstring rest = value.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != L':') return false;
            port = rest.substr(1);
            if (port.empty()) return false;
        }
        for (wchar_t c : host) {
            if (!(c == L':' || c == L'.' || (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') ||
                  (c >= L'A' && c <= L'F'))) {
                return false;
            }
        }
    } else {
        const size_t colon = value.find(L':');
        if (colon != std::wstring::npos) {
            if (value.find(L':', colon + 1) != std::wstring::npos) return false;
            host = value.substr(0, colon);
            port = value.substr(colon + 1);
            if (port.empty()) return false;
        }
        if (!ValidHostName(host)) return false;
    }
    if (!port.empty() && !ParsePort(port, result.port)) return false;
    result.host = host;
    out = result;
    return true;
}

bool ReadDatabaseEndpoint(const std::wstring& settingsPath, DatabaseEndpoint& out) {
    return ParseDatabaseHost(AppSettings(settingsPath).ReadString(kDatabaseHostKey), out);
}

size_t SearchableIndexBytes(int64_t announced, size_t received) {
    if (announced < static_cast<int64_t>(kIndexRecordSize)) return 0;
    const uint64_t whole = static_cast<uint64_t>(announced) / kIndexRecordSize * kIndexRecordSize;
    if (received >= whole) return static_cast<size_t>(whole);
    return received / kIndexChunkBytes * kIndexChunkBytes;
}

bool FindIndexRecord(const DatabaseIndex& index, uint64_t key, const std::wstring& fileName,
                     SaverIndexRecord& found) {
    const unsigned char* data = index.records.data();
    for (size_t at = 0; at + kIndexRecordSize <= index.records.size(); at += kIndexRecordSize) {
        // The key decides nearly every record; only equal keys are decoded.
        uint64_t recordKey = 0;
        for (int b = 7; b >= 0; --b) recordKey = (recordKey << 8) | data[at + static_cast<size_t>(b)];
        if (recordKey != key) continue;
        SaverIndexRecord record = DecodeIndexRecord(data + at);
        if (RecordMatches(record, key, fileName)) {
            found = std::move(record);
            return true;
        }
    }
    return false;
}

FetchOutcome DownloadIndex(const DatabaseEndpoint& endpoint, const FetchOptions& options, DatabaseIndex& index) {
    index = DatabaseIndex();
    InetHttp_CL http;
    if (!StartRequest(http, endpoint, options, kIndexRequestPath)) return FailureOf(http);
    const size_t wanted = SearchableIndexBytes(http.ContentLength(), SIZE_MAX);
    if (wanted == 0) return FetchOutcome::Found;  // no whole record: an empty index
    // Read to the end even though a match may come early: closing a request
    // with data unread makes the platform read it all anyway.
    const DWORD got = http.Read(static_cast<DWORD>(wanted));
    index.records = http.TakeData();
    index.records.resize(SearchableIndexBytes(http.ContentLength(), got));
    if (got < wanted) index.missing = FailureOf(http);
    return FetchOutcome::Found;
}

FetchOutcome FetchStringBytes(const DatabaseEndpoint& endpoint, uint32_t offset, uint32_t count,
                              const FetchOptions& options, std::vector<unsigned char>& out) {
    if (options.seek != SeekMethod::Discard)
        return FetchByRange(endpoint, offset, count, options, out, options.seek == SeekMethod::Automatic);
    InetHttp_CL http;
    if (!StartRequest(http, endpoint, options, kStringsRequestPath)) return FailureOf(http);
    // The buffer comes from the record, the file's length from the server:
    // a record reaching past the end is a broken record, not a read past it.
    if (!Fits(offset, count, http.ContentLength())) return FetchOutcome::NotFound;
    if (http.Skip(offset) != offset) return FailureOf(http);
    return ReadExactly(http, count, out);
}

FetchOutcome LookupSaverInfo(const DatabaseEndpoint& endpoint, const std::wstring& saverPath,
                             const std::wstring& destFolder, SaverItem& item, const FetchOptions& options) {
    uint64_t key = 0;
    if (!SaverFingerprint(saverPath, key)) return FetchOutcome::NotFound;
    DatabaseIndex index;
    const FetchOutcome downloaded = DownloadIndex(endpoint, options, index);
    if (downloaded != FetchOutcome::Found) return downloaded;
    SaverIndexRecord record;
    if (!FindIndexRecord(index, key, FileNameOfPath(saverPath), record)) return index.missing;
    return FetchRecord(endpoint, record, destFolder, item, options);
}

FetchOutcome LookupInIndex(const DatabaseEndpoint& endpoint, const DatabaseIndex& index, const std::wstring& saverPath,
                           const std::wstring& destFolder, SaverItem& item, const FetchOptions& options) {
    uint64_t key = 0;
    if (!SaverFingerprint(saverPath, key)) return FetchOutcome::NotFound;
    SaverIndexRecord record;
    if (!FindIndexRecord(index, key, FileNameOfPath(saverPath), record)) return index.missing;
    return FetchRecord(endpoint, record, destFolder, item, options);
}

int FetchSaverInfo(const std::wstring& settingsPath, const std::wstring& saverPath, const std::wstring& destFolder,
                   SaverItem& item) {
    DatabaseEndpoint endpoint;
    if (!ReadDatabaseEndpoint(settingsPath, endpoint)) return 0;
    return LookupSaverInfo(endpoint, saverPath, destFolder, item) == FetchOutcome::Found ? 1 : 0;
}

} // namespace lum
