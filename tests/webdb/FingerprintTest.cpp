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
        if (i >= bytes.size()) {
            h -= 1;
            break;
        }
        h += bytes[i++];
    }
    return h + static_cast<uint32_t>(bytes.size());
}

TEST(FingerprintTest, NameHeadAndSizeAsThePublisherDescribesThem) {
    TempFolder temp;
    // "A" is 65: an empty file is 3 * 65 - 1 = 194, plus its size 0.
    EXPECT_EQ(KeyOf(MakeSaverFile(temp.path(), L"A", 0, 1)), 194u);
    // Short, exact, long (only the first 256 bytes count); copies under two
    // names; a name long enough to wrap.
    const std::pair<std::wstring, size_t> files[] = {{L"A.scr", 100},     {L"short.scr", 255}, {L"exact.scr", 256},
                                                     {L"big.scr", 1000},  {L"Copy1.scr", 500}, {L"Copy2.scr", 500},
                                                     {std::wstring(99, L'\u9999'), 300}};
    std::vector<uint64_t> keys;
    for (const auto& [name, size] : files) {
        const std::wstring path = MakeSaverFile(temp.path(), name, size, 9);
        keys.push_back(KeyOf(path));
        EXPECT_EQ(keys.back(), Reference(name, ReadBytes(path))) << size;
    }
    EXPECT_NE(keys[4], keys[5]) << "the same bytes under another name are another saver";

    uint64_t key = 12345;
    EXPECT_FALSE(SaverFingerprint(temp / L"missing.scr", key));
    EXPECT_FALSE(SaverFingerprint(temp.path(), key)) << "a folder is no saver";
}

} // namespace
} // namespace lum::test
