#include "base/IniFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

// How a stored break is written is checked through the entry file (ItemFileTest).

// A new file is UTF-16 from its first write: the profile functions would
// write it in the ANSI code page, and Japanese would turn into question
// marks. An existing ANSI file stays ANSI; a missing folder gets nothing.
TEST(IniFile, NewFilesAreUnicodeOldAnsiFilesStayAnsi) {
    test::TempFolder temp;
    const std::wstring unicode = temp / L"j.ini", ansi = temp / L"a.ini", nowhere = temp / L"nofolder\\x.ini";
    const std::wstring text = L"キャラクター／アニメ 星空";
    ASSERT_TRUE(WriteIniString(unicode, L"SAVER_ITEM", L"title", text));
    EXPECT_EQ(ReadIniString(unicode, L"SAVER_ITEM", L"title"), text);
    const auto bytes = test::ReadBytes(unicode);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 0xFEFF);

    ASSERT_TRUE(test::WriteBytes(ansi, std::string("[S]\r\nk=old\r\n")));
    WriteIniString(ansi, L"S", L"k", L"new");
    EXPECT_EQ(ReadIniString(ansi, L"S", L"k"), L"new");
    EXPECT_EQ(test::ReadBytes(ansi).at(0), '[');

    WriteIniString(nowhere, L"S", L"k", L"v");
    EXPECT_FALSE(test::FileExists(nowhere));
    EXPECT_EQ(ReadIniInt(nowhere, L"S", L"k", -1), -1);
}

} // namespace
} // namespace lum
