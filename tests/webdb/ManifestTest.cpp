#include "tools/dbbuilder/Manifest.h"

#include <gtest/gtest.h>

#include <string>

namespace lum::dbbuilder {
namespace {

std::string Line(const std::string& saver, const std::string& category, const std::string& title,
                 const std::string& flag = "0", const std::string& picture = "p.png") {
    return saver + "\t" + category + "\t" + title + "\tdescription\thttp://example.invalid/\t" + flag + "\t" +
           picture + "\n";
}

std::string Repeat(const std::string& unit, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += unit;
    return out;
}

TEST(ManifestTest, ReadsFieldsAndSkipsCommentsBlankLinesAndBom) {
    const std::string text = "\xEF\xBB\xBF# comment\r\n\r\n" +
                             std::string("savers/Star.scr\t自然／風景\t星の海\t説明\thttp://s.example/\t1\tpictures/s.png\r\n") +
                             "   \n" + Line("B.scr", "", "", "0", "b.png");
    std::vector<ManifestError> errors;
    const std::vector<ManifestEntry> entries = ParseManifest(text, errors);
    ASSERT_TRUE(errors.empty());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ((std::vector<std::wstring>{entries[0].saver, entries[0].category, entries[0].title, entries[0].note,
                                         entries[0].web, entries[0].picture}),
              (std::vector<std::wstring>{L"savers/Star.scr", L"自然／風景", L"星の海", L"説明", L"http://s.example/",
                                         L"pictures/s.png"}));
    EXPECT_TRUE(entries[0].largeImage);
    EXPECT_EQ(entries[1].line, 5);
    EXPECT_FALSE(entries[1].largeImage);
    EXPECT_EQ(BaseName(L"a/b\\c.scr"), L"c.scr");
}

TEST(ManifestTest, LengthsAtTheLimitPassAndOneMoreIsRefused) {
    // Counted in UTF-16 code units: a character outside the BMP counts twice.
    const std::string emoji = "\xF0\x9F\x8C\x9F";  // U+1F31F
    const std::string good = Line(std::string(99, 'n'), Repeat(emoji, 63) + "c", std::string(255, 't')) +
                             Line("a/" + std::string(99, 'm'), Repeat("あ", 127), Repeat("い", 255));
    std::vector<ManifestError> errors;
    EXPECT_EQ(ParseManifest(good, errors).size(), 2u);
    EXPECT_TRUE(errors.empty());

    const std::string bad = Line(std::string(100, 'n'), "c", "t") + Line("b.scr", Repeat(emoji, 64), "t") +
                            Line("c.scr", "c", Repeat("い", 256)) + Line("d.scr", "c", "t");
    const std::vector<ManifestEntry> entries = ParseManifest(bad, errors);
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0].line, 1);
    EXPECT_NE(errors[0].message.find(L"file name is 100"), std::wstring::npos);
    EXPECT_EQ(errors[1].line, 2);
    EXPECT_NE(errors[1].message.find(L"category is 128"), std::wstring::npos);
    EXPECT_EQ(errors[2].line, 3);
    EXPECT_NE(errors[2].message.find(L"title is 256"), std::wstring::npos);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].line, 4);
}

TEST(ManifestTest, MalformedLinesAreRefusedWithTheirNumber) {
    const std::string text = Line("a.scr", "c", "t", "2") + "a.scr\tc\tt\td\tw\t0\n" + "ok\xC3\x28\tc\tt\td\tw\t0\tp\n" +
                             "\xE3\x81\tc\tt\td\tw\t0\tp\n" + Line("", "c", "t") + Line("e.scr", "c", "t", "0", "") +
                             "a\tb\tc\td\te\t0\tp\textra\n" + "\xED\xA0\x80\tc\tt\td\tw\t0\tp\n" +
                             "\xC0\xAF\tc\tt\td\tw\t0\tp\n" + "\xF4\x90\x80\x80\tc\tt\td\tw\t0\tp\n";
    std::vector<ManifestError> errors;
    EXPECT_TRUE(ParseManifest(text, errors).empty());
    std::vector<int> lines;
    for (const ManifestError& e : errors) lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_NE(errors[0].message.find(L"0 or 1"), std::wstring::npos);
    EXPECT_NE(errors[1].message.find(L"found 6"), std::wstring::npos);
    EXPECT_NE(errors[2].message.find(L"UTF-8"), std::wstring::npos);
    EXPECT_NE(errors[6].message.find(L"found 8"), std::wstring::npos);
    // An encoded surrogate, an overlong "/" and a code past U+10FFFF.
    for (size_t i = 7; i < 10; ++i) EXPECT_NE(errors[i].message.find(L"UTF-8"), std::wstring::npos) << i;
}

TEST(ManifestTest, AtMost65536DistinctPictures) {
    std::string text;
    for (int i = 0; i < 65536; ++i) text += Line("s" + std::to_string(i) + ".scr", "", "", "0", "p" + std::to_string(i) + ".png");
    text += Line("again.scr", "", "", "0", "p7.png");  // a picture met before costs no number
    std::vector<ManifestError> errors;
    EXPECT_EQ(ParseManifest(text, errors).size(), 65537u);
    EXPECT_TRUE(errors.empty());
    text += Line("last.scr", "", "", "0", "new.png");
    EXPECT_EQ(ParseManifest(text, errors).size(), 65537u);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].line, 65538);
    EXPECT_NE(errors[0].message.find(L"65536"), std::wstring::npos);
}

} // namespace
} // namespace lum::dbbuilder
