#pragma once
// The lookup of a saver in the publisher's web database: the index is
// scanned for the saver's fingerprint and file name, then the matching
// record's strings and picture are fetched.
#include "store/InetHttp.h"
#include "store/SaverIndexRecord.h"
#include "base/SaverItem.h"

#include <cstdint>
#include <functional>
#include <string>

namespace lum {

// Our own host, used while the settings name no other.
constexpr wchar_t kDefaultDatabaseHost[] = L"db.lumenary.example";
constexpr INTERNET_PORT kDefaultDatabasePort = INTERNET_DEFAULT_HTTP_PORT;
// Key of section "SAVER_SETTING" that points the program at a mirror.
constexpr wchar_t kDatabaseHostKey[] = L"database_host";

constexpr wchar_t kIndexRequestPath[] = L"lumenary/db_saver_index.txt";
constexpr wchar_t kStringsRequestPath[] = L"lumenary/db_saver_string.txt";
constexpr wchar_t kPictureRequestFolder[] = L"lumenary/images/";

// Records scanned per read of the index.
constexpr uint32_t kIndexChunkBytes = 50 * kIndexRecordSize;
// A thumbnail larger than this is not a thumbnail.
constexpr int32_t kPictureMaxBytes = 16 * 1024 * 1024;

struct DatabaseEndpoint {
    std::wstring host;
    INTERNET_PORT port = kDefaultDatabasePort;
};

// "host", "host:port" or "[v6 address]:port", blanks around ignored; an
// empty text gives the default host. False for anything else.
bool ParseDatabaseHost(const std::wstring& text, DatabaseEndpoint& out);
// The setting as it is in the file now.
bool ReadDatabaseEndpoint(const std::wstring& settingsPath, DatabaseEndpoint& out);

// How to reach a record's strings inside the strings file. Automatic tries
// the platform's file pointer, then a Range request, then reads and
// discards; the others force one way (tests compare them).
enum class SeekMethod { Automatic, FilePointer, Range, Discard };

struct FetchOptions {
    HttpTimeouts timeouts;
    SeekMethod seek = SeekMethod::Automatic;
};

enum class FetchOutcome {
    Found,        // fields set and picture written
    NotFound,     // the database does not know the saver (or cannot be read)
    Failed,       // the server answered, but not with what we asked for
    Unreachable,  // no connection, or the server stopped answering
};

enum class ScanResult { Found, NotFound, ReadFailed };

// Scans an index of `contentLength` bytes (cut to whole records) in chunks
// of at most kIndexChunkBytes. `readChunk(n)` returns n bytes or null when
// fewer came. Stops reading at the first matching record.
ScanResult ScanIndex(int64_t contentLength, uint64_t key, const std::wstring& fileName,
                     const std::function<const unsigned char*(uint32_t)>& readChunk, SaverIndexRecord& found);

// Fetches the `count` bytes at `offset` of the strings file. NotFound when
// they would reach past the file's end.
FetchOutcome FetchStringBytes(const DatabaseEndpoint& endpoint, uint32_t offset, uint32_t count,
                              const FetchOptions& options, std::vector<unsigned char>& out);

// On Found: category and title (where the database has them), note, web and
// large_image are set, and destFolder + "\image.png" is written.
FetchOutcome LookupSaverInfo(const DatabaseEndpoint& endpoint, const std::wstring& saverPath,
                             const std::wstring& destFolder, SaverItem& item,
                             const FetchOptions& options = FetchOptions());

// 1 when the saver was found and destFolder + "\image.png" written, else 0.
// The host comes from the settings file, read now.
int FetchSaverInfo(const std::wstring& settingsPath, const std::wstring& saverPath,
                   const std::wstring& destFolder, SaverItem& item);

} // namespace lum
