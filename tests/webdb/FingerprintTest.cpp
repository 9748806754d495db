#include "tests/webdb/DatabaseFixture.h"

#include "store/SaverFingerprint.h"

#include <gtest/gtest.h>

namespace lum::test {
namespace {

// The hash written out step by step the way the database's publisher
// describes it, kept apart from the product's code on purpose.
uint64_t Reference(const std::wstring& name, const std::vector<unsigned char>& bytes) {
    uint64_t h = 0;
    for (wchar_t u : name) h = 3 * h + static_cast<uint16_t>(u);
    size_t i = 0;
    for (int step = 0; step < 256; ++step) {
        h = 3 * h;
        if (i < bytes.size()) {
            h += bytes[i++];
        } else {
            h -= 1;
            break;
        }
    }
    return h + static_cast<uint32_t>(bytes.size());
}

class FingerprintTest : public ::testing::Test {
protected:
    std::wstring Make(const std::wstring& name, size_t size, unsigned seed = 1) {
        return MakeSaverFile(m_temp.path(), name, size, seed);
    }
    TempFolder m_temp;
};

TEST_F(FingerprintTest, SmallFilesByHand) {
    // "A" is 65: empty file 3*65-1 = 194 plus size 0.
    EXPECT_EQ(KeyOf(Make(L"A", 0)), 194u);
    // One byte 2: 3*65+2 = 197, end step 3*197-1 = 590, size 1.
    const std::wstring one = m_temp / L"B";
    WriteBytes(one, std::vector<unsigned char>{2});
    uint64_t key = 0;
    ASSERT_TRUE(SaverFingerprint(one, key));
    EXPECT_EQ(key, 3u * (3u * 66u + 2u) - 1u + 1u);
}

TEST_F(FingerprintTest, HundredByteFileNamedAScr) {
    const std::wstring path = Make(L"A.scr", 100, 7);
    EXPECT_EQ(KeyOf(path), Reference(L"A.scr", ReadBytes(path)));
}

TEST_F(FingerprintTest, OnlyTheFirst256BytesAndTheSizeCount) {
    const std::wstring exact = Make(L"exact.scr", 256);
    const std::wstring shorter = Make(L"short.scr", 255);
    EXPECT_EQ(KeyOf(exact), Reference(L"exact.scr", ReadBytes(exact)));
    EXPECT_EQ(KeyOf(shorter), Reference(L"short.scr", ReadBytes(shorter)));

    // 256 bytes: no end-of-file step. The same bytes with the end step give another key.
    const std::vector<unsigned char> head = ReadBytes(exact);
    EXPECT_NE(FingerprintOf(L"exact.scr", head.data(), 256, false, 256),
              FingerprintOf(L"exact.scr", head.data(), 255, true, 256));

    const std::wstring big = Make(L"big.scr", 1000, 3);
    std::vector<unsigned char> bytes = ReadBytes(big);
    const uint64_t original = KeyOf(big);
    EXPECT_EQ(original, Reference(L"big.scr", std::vector<unsigned char>(bytes.begin(), bytes.begin() + 256)) -
                            256 + 1000);

    bytes[600] ^= 0xFF;  // past the head: no effect
    WriteBytes(big, bytes);
    EXPECT_EQ(KeyOf(big), original);

    bytes[200] ^= 0xFF;  // inside the head
    WriteBytes(big, bytes);
    EXPECT_NE(KeyOf(big), original);
    bytes[200] ^= 0xFF;

    bytes.push_back(0);  // one byte longer: the size adds one
    WriteBytes(big, bytes);
    EXPECT_EQ(KeyOf(big), original + 1);
}

TEST_F(FingerprintTest, NameTellsCopiesApartAndArithmeticWraps) {
    const std::wstring a = Make(L"Copy1.scr", 500, 9);
    const std::wstring b = Make(L"Copy2.scr", 500, 9);
    EXPECT_EQ(ReadBytes(a), ReadBytes(b));
    EXPECT_NE(KeyOf(a), KeyOf(b));

    const std::wstring longName(99, L'\u9999');
    const std::wstring wrapped = Make(longName, 300, 2);
    const std::vector<unsigned char> content = ReadBytes(wrapped);
    ASSERT_EQ(content.size(), 300u);
    EXPECT_EQ(KeyOf(wrapped),
              Reference(longName, std::vector<unsigned char>(content.begin(), content.begin() + 256)) - 256 + 300);
}

TEST_F(FingerprintTest, UnreadableFileFails) {
    uint64_t key = 12345;
    EXPECT_FALSE(SaverFingerprint(m_temp / L"missing.scr", key));
    EXPECT_FALSE(SaverFingerprint(m_temp.path(), key));  // a folder is no saver
}

} // namespace
} // namespace lum::test
