#pragma once
// The lookup of a saver in the publisher's web database: the index is
// downloaded whole and searched for the saver's fingerprint and file name,
// then the matching record's strings and picture are fetched.
#include "store/InetHttp.h"
#include "store/SaverIndexRecord.h"
#include "base/SaverItem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lum {

// Our own host, used while the settings name no other.
constexpr wchar_t kDefaultDatabaseHost[] = L"db.lumenary.example";
constexpr INTERNET_PORT kDefaultDatabasePort = INTERNET_DEFAULT_HTTP_PORT;
// Key of section "SAVER_SETTING" that points the program at a mirror.
constexpr wchar_t kDatabaseHostKey[] = L"database_host";

constexpr wchar_t kIndexRequestPath[] = L"lumenary/db_saver_index.txt";
constexpr wchar_t kStringsRequestPath[] = L"lumenary/db_saver_string.txt";
constexpr wchar_t kPictureRequestFolder[] = L"lumenary/images/";

// The index was once scanned in reads of this size; an answer cut short
// still yields the records of the whole chunks that came.
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

// How to reach a record's strings inside the strings file. Automatic asks
// for the record's bytes alone (Range) and, when the server sends the whole
// file instead, skips up to them; the others force one way (tests compare
// them).
enum class SeekMethod { Automatic, Range, Discard };

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

// The index of one database as it was downloaded.
struct DatabaseIndex {
    std::vector<unsigned char> records;  // whole records, in index order
    // What a lookup answers for a saver that is not among the records:
    // NotFound for a whole index, the read's failure for one cut short.
    FetchOutcome missing = FetchOutcome::NotFound;
    bool Complete() const { return missing == FetchOutcome::NotFound; }
};

// How many of `received` bytes of an index announced as `announced` bytes
// long are searched: whole records of the announced length; of an answer cut
// short, the whole chunks that came.
size_t SearchableIndexBytes(int64_t announced, size_t received);

// The first record with this key and file name.
bool FindIndexRecord(const DatabaseIndex& index, uint64_t key, const std::wstring& fileName,
                     SaverIndexRecord& found);

// Reads the whole index in one request. Found when `index` was filled (it
// may still be cut short: see `missing`); else why there is none.
FetchOutcome DownloadIndex(const DatabaseEndpoint& endpoint, const FetchOptions& options, DatabaseIndex& index);

// Fetches the `count` bytes at `offset` of the strings file. NotFound when
// they would reach past the file's end.
FetchOutcome FetchStringBytes(const DatabaseEndpoint& endpoint, uint32_t offset, uint32_t count,
                              const FetchOptions& options, std::vector<unsigned char>& out);

// On Found: category and title (where the database has them), note, web and
// large_image are set, and destFolder + "\image.png" is written. The index
// is downloaded for this one lookup.
FetchOutcome LookupSaverInfo(const DatabaseEndpoint& endpoint, const std::wstring& saverPath,
                             const std::wstring& destFolder, SaverItem& item,
                             const FetchOptions& options = FetchOptions());
// The same with an index already downloaded from `endpoint`.
FetchOutcome LookupInIndex(const DatabaseEndpoint& endpoint, const DatabaseIndex& index, const std::wstring& saverPath,
                           const std::wstring& destFolder, SaverItem& item, const FetchOptions& options);

// 1 when the saver was found and destFolder + "\image.png" written, else 0.
// The host comes from the settings file, read now.
int FetchSaverInfo(const std::wstring& settingsPath, const std::wstring& saverPath,
                   const std::wstring& destFolder, SaverItem& item);

} // namespace lum
