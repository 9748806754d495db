#include "store/SaverIndexRecord.h"


namespace lum {

namespace {

void PutU16(unsigned char* at, uint16_t v) {
    at[0] = static_cast<unsigned char>(v & 0xFF);
    at[1] = static_cast<unsigned char>(v >> 8);
}
void PutU32(unsigned char* at, uint32_t v) {
    PutU16(at, static_cast<uint16_t>(v & 0xFFFF));
    PutU16(at + 2, static_cast<uint16_t>(v >> 16));
}
uint16_t GetU16(const unsigned char* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }
uint32_t GetU32(const unsigned char* at) { return GetU16(at) | (static_cast<uint32_t>(GetU16(at + 2)) << 16); }

void PutText(std::vector<unsigned char>& out, const std::wstring& text) {
    for (wchar_t c : text) {
        const uint16_t u = static_cast<uint16_t>(c);
        out.push_back(static_cast<unsigned char>(u & 0xFF));
        out.push_back(static_cast<unsigned char>(u >> 8));
    }
}

std::wstring GetText(const unsigned char* at, size_t units) {
    std::wstring text(units, L'\0');
    for (size_t i = 0; i < units; ++i) text[i] = static_cast<wchar_t>(GetU16(at + 2 * i));
    return text;
}

// What fills the two skipped units: a line break keeps the file readable.
const wchar_t kGap[] = L"\r\n";

} // namespace

uint32_t SaverIndexRecord::StringBytes() const {
    return 2u * (categoryLength + titleLength + noteLength + webLength) + 2u * 4u * kStringGapUnits;
}

bool EncodeIndexRecord(const SaverIndexRecord& record, IndexRecordBytes& out) {
    if (record.name.size() > kRecordNameMaxChars || record.categoryLength > kCategoryMaxChars) return false;
    out.fill(0);
    PutU32(&out[0], static_cast<uint32_t>(record.key & 0xFFFFFFFFu));
    PutU32(&out[4], static_cast<uint32_t>(record.key >> 32));
    for (size_t i = 0; i < record.name.size(); ++i) PutU16(&out[8 + 2 * i], static_cast<uint16_t>(record.name[i]));
    PutU32(&out[208], record.stringOffset);
    out[212] = static_cast<unsigned char>(record.categoryLength | (record.largeImage ? 0x80 : 0));
    out[213] = record.titleLength;
    PutU16(&out[214], record.noteLength);
    PutU16(&out[216], record.webLength);
    PutU16(&out[218], record.pictureNumber);
    return true;
}

SaverIndexRecord DecodeIndexRecord(const unsigned char* bytes) {
    SaverIndexRecord r;
    r.key = GetU32(bytes) | (static_cast<uint64_t>(GetU32(bytes + 4)) << 32);
    for (size_t i = 0; i < kRecordNameBytes / 2; ++i) {
        if (GetU16(bytes + 8 + 2 * i) == 0) {
            r.name = GetText(bytes + 8, i);
            r.nameTerminated = true;
            break;
        }
    }
    r.stringOffset = GetU32(bytes + 208);
    r.categoryLength = bytes[212] & 0x7F;
    r.largeImage = (bytes[212] & 0x80) != 0;
    r.titleLength = bytes[213];
    r.noteLength = GetU16(bytes + 214);
    r.webLength = GetU16(bytes + 216);
    r.pictureNumber = GetU16(bytes + 218);
    return r;
}

bool RecordMatches(const SaverIndexRecord& record, uint64_t key, const std::wstring& fileName) {
    return record.nameTerminated && record.key == key && record.name == fileName;
}

std::vector<unsigned char> EncodeRecordStrings(const SaverRecordStrings& strings) {
    std::vector<unsigned char> out;
    for (const std::wstring* text : {&strings.category, &strings.title, &strings.note, &strings.web}) {
        PutText(out, *text);
        PutText(out, kGap);
    }
    return out;
}

bool DecodeRecordStrings(const SaverIndexRecord& record, const unsigned char* data, size_t size,
                         SaverRecordStrings& out) {
    if (size < record.StringBytes()) return false;
    const size_t lengths[4] = {record.categoryLength, record.titleLength, record.noteLength, record.webLength};
    std::wstring* targets[4] = {&out.category, &out.title, &out.note, &out.web};
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        *targets[i] = GetText(data + at, lengths[i]);
        at += 2 * (lengths[i] + kStringGapUnits);
    }
    return true;
}

std::wstring PictureFileName(uint16_t pictureNumber) {
    std::wstring digits = std::to_wstring(pictureNumber);
    if (digits.size() < 5) digits.insert(0, 5 - digits.size(), L'0');
    return L"img" + digits + L".png";
}

} // namespace lum
