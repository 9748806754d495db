// How the runner writes a saver's command line.
#include "saver/ScreenSaver_CL.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

TEST(SaverCommandLine, ProgramTokenThenSwitchOrNothingForWhatCannotRun) {
    const std::wstring blanks = L"C:\\Program Files\\Savers\\My Saver.scr";
    const std::wstring longest = L"C:\\" + std::wstring(MAX_PATH - 4, L'a');  // 259 characters
    struct Case {
        std::wstring path, shortPath;
        SAVER_MODE mode;
        LONG_PTR host;
        std::wstring expected;
    } const cases[] = {
        {L"C:\\windows\\a.scr", L"", SAVER_MODE_FULLSCREEN, 0, L"C:\\windows\\a.scr /s"},
        {L"C:\\windows\\a.scr", L"", SAVER_MODE_PREVIEW, 1234, L"C:\\windows\\a.scr /p 1234"},
        {L"C:\\windows\\a.scr", L"", SAVER_MODE_PREVIEW, -2, L"C:\\windows\\a.scr /p -2"},  // signed
        {L"C:\\windows\\a.scr", L"", SAVER_MODE_CONFIG, 99, L"C:\\windows\\a.scr /c"},
        {L"C:\\a.scr", L"", 3, 0, L""},
        // Blanks: the short form, else quoted (also when the "short" form has blanks).
        {blanks, L"C:\\PROGRA~1\\Savers\\MYSAVE~1.SCR", SAVER_MODE_PREVIEW, 1234,
         L"C:\\PROGRA~1\\Savers\\MYSAVE~1.SCR /p 1234"},
        {blanks, L"", SAVER_MODE_FULLSCREEN, 0, L"\"" + blanks + L"\" /s"},
        {blanks, blanks, SAVER_MODE_FULLSCREEN, 0, L"\"" + blanks + L"\" /s"},
        // Paths that cannot be a program.
        {L"", L"", SAVER_MODE_FULLSCREEN, 0, L""},
        {longest, L"", SAVER_MODE_FULLSCREEN, 0, longest + L" /s"},
        {longest + L"b", L"", SAVER_MODE_FULLSCREEN, 0, L""},
        {longest + L"b", L"C:\\SAVERS~1\\LONG.SCR", SAVER_MODE_FULLSCREEN, 0, L""},  // even with a short form
        {L"C:\\a\" /c \"b.scr", L"", SAVER_MODE_FULLSCREEN, 0, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildSaverCommandLine(c.path, c.shortPath, c.mode, reinterpret_cast<HWND>(c.host)), c.expected)
            << c.path.size() << " mode " << c.mode;
}

} // namespace
} // namespace lum
