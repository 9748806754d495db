// How the runner writes a saver's command line.
#include "saver/ScreenSaver_CL.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

HWND Handle(LONG_PTR value) { return reinterpret_cast<HWND>(value); }

TEST(SaverCommandLine, EachModeHasItsSwitchAfterTheProgram) {
    EXPECT_EQ(BuildSaverCommandLine(L"C:\\windows\\a.scr", L"", SAVER_MODE_FULLSCREEN, nullptr),
              L"C:\\windows\\a.scr /s");
    EXPECT_EQ(BuildSaverCommandLine(L"C:\\windows\\a.scr", L"", SAVER_MODE_PREVIEW, Handle(1234)),
              L"C:\\windows\\a.scr /p 1234");
    EXPECT_EQ(BuildSaverCommandLine(L"C:\\windows\\a.scr", L"", SAVER_MODE_CONFIG, Handle(99)),
              L"C:\\windows\\a.scr /c");
    // A handle is a signed number.
    EXPECT_EQ(SaverSwitch(SAVER_MODE_PREVIEW, Handle(-2)), L" /p -2");
    EXPECT_EQ(BuildSaverCommandLine(L"C:\\a.scr", L"", 3, nullptr), L"");
    EXPECT_EQ(BuildSaverCommandLine(L"C:\\a.scr", L"", -1, nullptr), L"");
}

TEST(SaverCommandLine, APathWithBlanksIsGivenInItsShortFormOrQuoted) {
    const std::wstring path = L"C:\\Program Files\\Savers\\My Saver.scr";
    EXPECT_EQ(BuildSaverCommandLine(path, L"C:\\PROGRA~1\\Savers\\MYSAVE~1.SCR", SAVER_MODE_PREVIEW, Handle(1234)),
              L"C:\\PROGRA~1\\Savers\\MYSAVE~1.SCR /p 1234");
    // No short form, or a "short" form that still has blanks (8.3 names off).
    EXPECT_EQ(BuildSaverCommandLine(path, L"", SAVER_MODE_FULLSCREEN, nullptr),
              L"\"C:\\Program Files\\Savers\\My Saver.scr\" /s");
    EXPECT_EQ(BuildSaverCommandLine(path, path, SAVER_MODE_FULLSCREEN, nullptr),
              L"\"C:\\Program Files\\Savers\\My Saver.scr\" /s");
    // Japanese names keep their characters when there is no short form.
    EXPECT_EQ(BuildSaverCommandLine(L"C:\\星空.scr", L"", SAVER_MODE_CONFIG, nullptr), L"C:\\星空.scr /c");
}

TEST(SaverCommandLine, PathsThatCannotBeAProgramAreRefused) {
    EXPECT_EQ(BuildSaverCommandLine(L"", L"", SAVER_MODE_FULLSCREEN, nullptr), L"");
    const std::wstring longest = L"C:\\" + std::wstring(MAX_PATH - 4, L'a');  // 259 characters
    EXPECT_EQ(BuildSaverCommandLine(longest, L"", SAVER_MODE_FULLSCREEN, nullptr), longest + L" /s");
    const std::wstring tooLong = longest + L"b";                               // 260
    EXPECT_EQ(BuildSaverCommandLine(tooLong, L"", SAVER_MODE_FULLSCREEN, nullptr), L"");
    EXPECT_EQ(BuildSaverCommandLine(L"C:\\a\" /c \"b.scr", L"", SAVER_MODE_FULLSCREEN, nullptr), L"");
}

} // namespace
} // namespace lum
