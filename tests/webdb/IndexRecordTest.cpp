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
    // Low half of the key first, each half little-endian; the name (U+661F
    // first) ends with a 0 after six units; the category byte carries the
    // still-picture flag in its top bit.
    const std::pair<size_t, unsigned char> bytes[] = {
        {0, 0x88},   {3, 0x55},   {4, 0x44},   {7, 0x11},   {8, 0x1F},  {9, 0x66},   {10, '.'},   {18, 0},
        {19, 0},     {208, 0xD4}, {211, 0xA1}, {212, 0x85}, {213, 200}, {214, 0x34}, {217, 0xFE}, {218, 0xFF},
        {219, 0xFF}};
    for (const auto& [at, value] : bytes) EXPECT_EQ(b[at], value) << at;

    const SaverIndexRecord back = DecodeIndexRecord(b.data());
    IndexRecordBytes again;
    ASSERT_TRUE(EncodeIndexRecord(back, again));
    EXPECT_EQ(again, b) << "every field decodes to what was encoded";
    EXPECT_EQ(back.StringBytes(), 2u * (5 + 200 + 0x1234 + 0xFEDC) + 16);
    const std::vector<unsigned char> strings(back.StringBytes());
    SaverRecordStrings texts;
    EXPECT_TRUE(DecodeRecordStrings(back, strings.data(), strings.size(), texts));
    EXPECT_FALSE(DecodeRecordStrings(back, strings.data(), strings.size() - 1, texts)) << "short strings";

    b[212] = 0x7F;
    EXPECT_EQ(DecodeIndexRecord(b.data()).categoryLength, 127);
    EXPECT_FALSE(DecodeIndexRecord(b.data()).largeImage);
}

TEST(IndexRecordTest, NamesMatchExactlyAndNeedTheirEnd) {
    IndexRecordBytes b;
    ASSERT_TRUE(EncodeIndexRecord(Record(7, L"Stars.scr"), b));
    const SaverIndexRecord r = DecodeIndexRecord(b.data());
    EXPECT_TRUE(RecordMatches(r, 7, L"Stars.scr"));
    EXPECT_FALSE(RecordMatches(r, 7, L"stars.scr"));
    EXPECT_FALSE(RecordMatches(r, 7, L"Stars.sc"));

    // 100 units without a 0: the name field is broken and matches nothing.
    for (size_t i = 8; i < 208; i += 2) {
        b[i] = 'x';
        b[i + 1] = 0;
    }
    const SaverIndexRecord broken = DecodeIndexRecord(b.data());
    EXPECT_FALSE(broken.nameTerminated);
    EXPECT_FALSE(RecordMatches(broken, 7, std::wstring(100, L'x')));
    EXPECT_FALSE(RecordMatches(broken, 7, L""));
}

TEST(IndexSearchTest, OnlyWholeRecordsAndWholeChunksOfACutAnswerAreSearched) {
    struct Case {
        int64_t announced;
        size_t received;
        size_t searched;
    };
    const Case cases[] = {
        {1000, 1000, 768},     // three records; the last 232 bytes are no record
        {255, 255, 0},         // shorter than one record
        {-5, 0, 0},            // a nonsense length
        {15360, 15360, 15360}, // 60 records
        {15360, 13000, 12800}, // cut: the first whole chunk of 50 records only
        {15360, 12799, 0},     // cut inside the first chunk: nothing
        {15360, 99999, 15360}, // never more than announced
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchableIndexBytes(c.announced, c.received), c.searched) << c.announced << " " << c.received;
}

} // namespace
} // namespace lum
