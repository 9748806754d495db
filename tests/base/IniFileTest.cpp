#include "base/IniFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

TEST(IniFile, LineBreaksBecomeOneBlankEach) {
    EXPECT_EQ(IniSafeValue(L"a\r\nb\rc\nd"), L"a b c d");
    EXPECT_EQ(IniSafeValue(L"\n\n"), L"  ");
    EXPECT_EQ(IniSafeValue(L"plain"), L"plain");
}

TEST(IniFile, NoteWithLineBreakCannotForgeAKey) {
    test::TempFolder temp;
    const std::wstring ini = temp / L"x.ini";
    WriteIniString(ini, L"S", L"note", L"first\r\nscr=C:\\evil.scr\nthird");
    EXPECT_EQ(ReadIniString(ini, L"S", L"note"), L"first scr=C:\\evil.scr third");
    EXPECT_EQ(ReadIniString(ini, L"S", L"scr", L"none"), L"none");
}

TEST(IniFile, JapaneseSurvivesOnAnyCodePage) {
    test::TempFolder temp;
    const std::wstring ini = temp / L"j.ini";
    const std::wstring text = L"キャラクター／アニメ 星空";
    ASSERT_TRUE(WriteIniString(ini, L"SAVER_ITEM", L"title", text));
    EXPECT_EQ(ReadIniString(ini, L"SAVER_ITEM", L"title"), text);
    const auto bytes = test::ReadBytes(ini);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
}

TEST(IniFile, ExistingAnsiFileStaysAnsi) {
    test::TempFolder temp;
    const std::wstring ini = temp / L"a.ini";
    ASSERT_TRUE(test::WriteBytes(ini, std::string("[S]\r\nk=old\r\n")));
    WriteIniString(ini, L"S", L"k", L"new");
    EXPECT_EQ(ReadIniString(ini, L"S", L"k"), L"new");
    const auto bytes = test::ReadBytes(ini);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], '[');
}

TEST(IniFile, MissingFolderWritesNothing) {
    test::TempFolder temp;
    const std::wstring ini = temp / L"nofolder\\x.ini";
    WriteIniString(ini, L"S", L"k", L"v");
    EXPECT_FALSE(test::FileExists(ini));
    EXPECT_EQ(ReadIniInt(ini, L"S", L"k", -1), -1);
}

} // namespace
} // namespace lum
