// The real program, started under Wine: single instance, exit codes, the
// window it opens and where it keeps its settings.
#include "app/MainWindowClass.h"
#include "base/ModulePath.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lum::test {
namespace {

std::wstring LumenaryExe() { return DistFolder() + L"\\Lumenary.exe"; }

// The first instance opens its window at 90 % of the screen (its title and
// folders are the e2e test's); a second one shows one ownerless notice and
// leaves the first running.
TEST(Startup, FirstInstanceOpensItsWindowASecondOnlyANotice) {
    RunningProgram first(LumenaryExe());
    HWND main = first.WaitForTopWindow(kMainWindowClass, 15000);
    ASSERT_NE(main, nullptr) << "no main window appeared";
    RECT r{};
    ::GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, ::GetSystemMetrics(SM_CXSCREEN) * 9 / 10);
    EXPECT_EQ(r.bottom - r.top, ::GetSystemMetrics(SM_CYSCREEN) * 9 / 10);

    RunningProgram second(LumenaryExe());
    HWND box = second.WaitForTopWindow(L"#32770", 15000);
    ASSERT_NE(box, nullptr) << "the second instance showed no message box";
    EXPECT_EQ(WindowText(box), L"お知らせ");
    EXPECT_EQ(WindowText(::GetDlgItem(box, 0xFFFF)), L"Lumenaryは起動中です。");
    EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
    // Exactly one visible window: the box, no main window of its own.
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(second.TopWindows().size(), 1u);

    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(second.WaitForExit(10000), 0u);

    EXPECT_TRUE(first.running());
    EXPECT_TRUE(::IsWindowVisible(main));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(10000), 0u);
}

// The settings file is named after the program file. This test also runs in
// a renamed copy of this test program (below), told which name to expect.
TEST(StartupPaths, SettingsFileIsNamedAfterTheProgramFile) {
    const char* expected = std::getenv("LUM_EXPECTED_BASE");
    const std::wstring base = expected ? std::wstring(expected, expected + strlen(expected)) : L"startup_tests";
    EXPECT_EQ(SettingsPath(), DocumentsFolder() + L"\\Lumenary\\" + base + L".ini");
}

DWORD RunCopyExpecting(const std::wstring& copy, const char* base) {
    ::SetEnvironmentVariableA("LUM_EXPECTED_BASE", base);
    RunningProgram run(copy, L"--gtest_filter=StartupPaths.SettingsFileIsNamedAfterTheProgramFile");
    const DWORD code = run.WaitForExit(30000);
    ::SetEnvironmentVariableA("LUM_EXPECTED_BASE", nullptr);
    return code;
}

TEST(StartupPaths, RenamedProgramUsesAnotherSettingsFile) {
    TempFolder temp;
    const std::wstring copy = temp / L"Other.exe";
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_TRUE(::CopyFileW(self, copy.c_str(), FALSE));
    EXPECT_EQ(RunCopyExpecting(copy, "Other"), 0u);
    // The same copy fails when told to expect the original name.
    EXPECT_NE(RunCopyExpecting(copy, "startup_tests"), 0u);
}

} // namespace
} // namespace lum::test
