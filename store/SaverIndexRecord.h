#pragma once
// The publisher's database files: fixed 256-byte records in the index, and
// each record's four strings in the strings file. Encoding and decoding are
// pure so the client and the database builder share one definition.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lum {

constexpr size_t kIndexRecordSize = 256;
constexpr size_t kRecordNameBytes = 200;
constexpr size_t kRecordNameMaxChars = kRecordNameBytes / 2 - 1;  // room for the ending 0
constexpr size_t kCategoryMaxChars = 0x7F;
constexpr size_t kTitleMaxChars = 0xFF;
constexpr size_t kNoteMaxChars = 0xFFFF;
constexpr size_t kWebMaxChars = 0xFFFF;
constexpr size_t kPictureCountMax = 0x10000;
// The two code units that follow each string in the strings file.
constexpr size_t kStringGapUnits = 2;

struct SaverIndexRecord {
    uint64_t key = 0;
    std::wstring name;              // empty when the field holds no ending 0
    bool nameTerminated = false;
    uint32_t stringOffset = 0;
    uint8_t categoryLength = 0;     // 0 to 127
    bool largeImage = false;
    uint8_t titleLength = 0;
    uint16_t noteLength = 0;
    uint16_t webLength = 0;
    uint16_t pictureNumber = 0;

    // Bytes the record's strings occupy, gaps included.
    uint32_t StringBytes() const;
};

// The four texts a record points at.
struct SaverRecordStrings {
    std::wstring category;
    std::wstring title;
    std::wstring note;
    std::wstring web;
};

using IndexRecordBytes = std::array<unsigned char, kIndexRecordSize>;

// Fails (false) when a field does not fit the layout; `record` lengths are
// taken as given, the caller keeps them consistent with the strings.
bool EncodeIndexRecord(const SaverIndexRecord& record, IndexRecordBytes& out);
SaverIndexRecord DecodeIndexRecord(const unsigned char* bytes);

// A record matches a saver when key and file name are the same, code unit
// for code unit.
bool RecordMatches(const SaverIndexRecord& record, uint64_t key, const std::wstring& fileName);

// The strings of one record as they lie in the strings file (UTF-16LE).
std::vector<unsigned char> EncodeRecordStrings(const SaverRecordStrings& strings);
// Splits `size` bytes at `data` with the record's lengths; false when they
// are fewer than the record needs.
bool DecodeRecordStrings(const SaverIndexRecord& record, const unsigned char* data, size_t size,
                         SaverRecordStrings& out);

// The picture's request path and its file name in the database folder.
std::wstring PictureFileName(uint16_t pictureNumber);

} // namespace lum
