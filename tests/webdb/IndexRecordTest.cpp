#include "store/SaverDatabase.h"
#include "store/SaverIndexRecord.h"

#include <gtest/gtest.h>

#include <vector>

namespace lum {
namespace {

SaverIndexRecord Record(uint64_t key, const std::wstring& name) {
    SaverIndexRecord r;
    r.key = key;
    r.name = name;
    r.nameTerminated = true;
    return r;
}

std::vector<unsigned char> IndexOf(const std::vector<SaverIndexRecord>& records) {
    std::vector<unsigned char> bytes;
    for (const SaverIndexRecord& r : records) {
        IndexRecordBytes encoded;
        EXPECT_TRUE(EncodeIndexRecord(r, encoded));
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    return bytes;
}

TEST(IndexRecordTest, LayoutOfEveryField) {
    SaverIndexRecord r = Record(0x1122334455667788ull, L"星.scr");
    r.stringOffset = 0xA1B2C3D4;
    r.categoryLength = 5;
    r.largeImage = true;
    r.titleLength = 200;
    r.noteLength = 0x1234;
    r.webLength = 0xFEDC;
    r.pictureNumber = 65535;
    IndexRecordBytes b;
    ASSERT_TRUE(EncodeIndexRecord(r, b));
    // Low half of the key first, each half little-endian.
    EXPECT_EQ(b[0], 0x88);
    EXPECT_EQ(b[3], 0x55);
    EXPECT_EQ(b[4], 0x44);
    EXPECT_EQ(b[7], 0x11);
    EXPECT_EQ(b[8], 0x1F);  // U+661F
    EXPECT_EQ(b[9], 0x66);
    EXPECT_EQ(b[10], '.');
    EXPECT_EQ(b[18], 0);  // ending 0 after six units
    EXPECT_EQ(b[19], 0);
    EXPECT_EQ(b[208], 0xD4);
    EXPECT_EQ(b[211], 0xA1);
    EXPECT_EQ(b[212], 0x85);
    EXPECT_EQ(b[213], 200);
    EXPECT_EQ(b[214], 0x34);
    EXPECT_EQ(b[217], 0xFE);
    EXPECT_EQ(b[218], 0xFF);
    EXPECT_EQ(b[219], 0xFF);

    const SaverIndexRecord back = DecodeIndexRecord(b.data());
    EXPECT_EQ(back.key, r.key);
    EXPECT_EQ(back.name, r.name);
    EXPECT_EQ(back.stringOffset, r.stringOffset);
    EXPECT_EQ(back.noteLength, r.noteLength);
    EXPECT_EQ(back.webLength, r.webLength);
    EXPECT_EQ(back.pictureNumber, r.pictureNumber);
    EXPECT_EQ(back.StringBytes(), 2u * (5 + 200 + 0x1234 + 0xFEDC) + 16);
}

TEST(IndexRecordTest, CategoryByteCarriesTheStillPictureFlag) {
    IndexRecordBytes b{};
    b[212] = 0x85;
    SaverIndexRecord r = DecodeIndexRecord(b.data());
    EXPECT_EQ(r.categoryLength, 5);
    EXPECT_TRUE(r.largeImage);
    b[212] = 0x7F;
    r = DecodeIndexRecord(b.data());
    EXPECT_EQ(r.categoryLength, 127);
    EXPECT_FALSE(r.largeImage);
}

TEST(IndexRecordTest, NamesMatchExactlyAndNeedTheirEnd) {
    IndexRecordBytes b;
    ASSERT_TRUE(EncodeIndexRecord(Record(7, L"Stars.scr"), b));
    const SaverIndexRecord r = DecodeIndexRecord(b.data());
    EXPECT_TRUE(RecordMatches(r, 7, L"Stars.scr"));
    EXPECT_FALSE(RecordMatches(r, 7, L"stars.scr"));
    EXPECT_FALSE(RecordMatches(r, 7, L"Stars.sc"));
    EXPECT_FALSE(RecordMatches(r, 8, L"Stars.scr"));

    // 100 units without a 0: the name field is broken and matches nothing.
    for (size_t i = 8; i < 208; i += 2) {
        b[i] = 'x';
        b[i + 1] = 0;
    }
    const SaverIndexRecord broken = DecodeIndexRecord(b.data());
    EXPECT_FALSE(broken.nameTerminated);
    EXPECT_FALSE(RecordMatches(broken, 7, std::wstring(100, L'x')));
    EXPECT_FALSE(RecordMatches(broken, 7, L""));

    EXPECT_FALSE(EncodeIndexRecord(Record(1, std::wstring(100, L'a')), b));
    EXPECT_TRUE(EncodeIndexRecord(Record(1, std::wstring(99, L'a')), b));
    EXPECT_TRUE(RecordMatches(DecodeIndexRecord(b.data()), 1, std::wstring(99, L'a')));
}

TEST(IndexRecordTest, StringsRoundTripAndShortDataIsRefused) {
    SaverRecordStrings s{L"自然／風景", L"星の海", L"説明\r\nです", L"http://example.invalid/a"};
    const std::vector<unsigned char> bytes = EncodeRecordStrings(s);
    SaverIndexRecord r;
    r.categoryLength = static_cast<uint8_t>(s.category.size());
    r.titleLength = static_cast<uint8_t>(s.title.size());
    r.noteLength = static_cast<uint16_t>(s.note.size());
    r.webLength = static_cast<uint16_t>(s.web.size());
    ASSERT_EQ(bytes.size(), r.StringBytes());
    SaverRecordStrings back;
    ASSERT_TRUE(DecodeRecordStrings(r, bytes.data(), bytes.size(), back));
    EXPECT_EQ(back.category, s.category);
    EXPECT_EQ(back.title, s.title);
    EXPECT_EQ(back.note, s.note);
    EXPECT_EQ(back.web, s.web);
    EXPECT_FALSE(DecodeRecordStrings(r, bytes.data(), bytes.size() - 1, back));
    EXPECT_EQ(PictureFileName(42), L"img00042.png");
    EXPECT_EQ(PictureFileName(65535), L"img65535.png");
}

// The scan over an index held in memory, counting the chunks it asks for.
struct ChunkedIndex {
    std::vector<unsigned char> bytes;
    size_t at = 0;
    std::vector<uint32_t> asked;
    const unsigned char* Read(uint32_t n) {
        asked.push_back(n);
        if (at + n > bytes.size()) return nullptr;
        const unsigned char* p = bytes.data() + at;
        at += n;
        return p;
    }
    ScanResult Scan(int64_t length, uint64_t key, const std::wstring& name, SaverIndexRecord& found) {
        return ScanIndex(length, key, name, [this](uint32_t n) { return Read(n); }, found);
    }
};

TEST(IndexScanTest, ThousandBytesAreThreeRecords) {
    std::vector<SaverIndexRecord> records = {Record(1, L"a.scr"), Record(2, L"b.scr"), Record(3, L"c.scr"),
                                             Record(4, L"d.scr")};
    records[2].pictureNumber = 33;
    ChunkedIndex index{IndexOf(records), 0, {}};
    index.bytes.resize(1000);  // record d is cut: 232 of its bytes remain
    SaverIndexRecord found;
    EXPECT_EQ(index.Scan(1000, 3, L"c.scr", found), ScanResult::Found);
    EXPECT_EQ(found.pictureNumber, 33);
    EXPECT_EQ(index.asked, std::vector<uint32_t>{768});

    ChunkedIndex again{index.bytes, 0, {}};
    EXPECT_EQ(again.Scan(1000, 4, L"d.scr", found), ScanResult::NotFound);
    EXPECT_EQ(again.asked, std::vector<uint32_t>{768});

    ChunkedIndex tiny{std::vector<unsigned char>(255), 0, {}};
    EXPECT_EQ(tiny.Scan(255, 0, L"", found), ScanResult::NotFound);
    EXPECT_TRUE(tiny.asked.empty());
    EXPECT_EQ(tiny.Scan(0, 0, L"", found), ScanResult::NotFound);
    EXPECT_EQ(tiny.Scan(-5, 0, L"", found), ScanResult::NotFound);
}

TEST(IndexScanTest, MatchInTheSecondChunkStopsTheScan) {
    std::vector<SaverIndexRecord> records;
    for (int i = 0; i < 180; ++i) records.push_back(Record(1000 + i, L"s" + std::to_wstring(i) + L".scr"));
    ChunkedIndex index{IndexOf(records), 0, {}};
    SaverIndexRecord found;
    ASSERT_EQ(index.Scan(static_cast<int64_t>(index.bytes.size()), 1050, L"s50.scr", found), ScanResult::Found);
    EXPECT_EQ(found.name, L"s50.scr");
    EXPECT_EQ(index.asked, (std::vector<uint32_t>{12800, 12800}));

    ChunkedIndex last{index.bytes, 0, {}};
    ASSERT_EQ(last.Scan(static_cast<int64_t>(last.bytes.size()), 1179, L"s179.scr", found), ScanResult::Found);
    EXPECT_EQ(last.asked, (std::vector<uint32_t>{12800, 12800, 12800, 7680}));

    // Same key, other name: keeps looking and finds nothing.
    ChunkedIndex other{index.bytes, 0, {}};
    EXPECT_EQ(other.Scan(static_cast<int64_t>(other.bytes.size()), 1050, L"S50.scr", found), ScanResult::NotFound);
    EXPECT_EQ(other.asked.size(), 4u);
}

TEST(IndexScanTest, ShortReadIsAFailure) {
    std::vector<SaverIndexRecord> records(60, Record(1, L"x.scr"));
    ChunkedIndex index{IndexOf(records), 0, {}};
    index.bytes.resize(13000);  // the server promised more than it sent
    SaverIndexRecord found;
    EXPECT_EQ(index.Scan(60 * 256, 2, L"y.scr", found), ScanResult::ReadFailed);
}

} // namespace
} // namespace lum
