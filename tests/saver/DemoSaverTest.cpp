// The shipped demo savers as real processes: preview inside a host, full
// screen, and the settings dialog writing the registry.
#include "demo/savers/SaverArgs.h"
#include "saver/ScreenSaver_CL.h"
#include "tests/saver/SaverTestSupport.h"

#include <gtest/gtest.h>
#include <commctrl.h>

namespace lum {
namespace {

using namespace std::chrono_literals;
using test::HostWindow;
using test::RunningProgram;

const wchar_t* const kDemoSavers[] = {L"Starfield", L"Bubbles", L"Plasma"};

std::wstring DemoKey(const std::wstring& name) { return L"Software\\Lumenary\\Demo\\" + name; }

HWND WaitForWindowOf(DWORD id, HWND host) {
    HWND found = nullptr;
    test::PumpUntil([&] { return (found = ScreenSaver_CL::FindProcessWindow(id, host)) != nullptr; }, 8000ms);
    return found;
}

TEST(DemoSavers, PreviewFollowsTheHostsSizeAndEndsWithIt) {
    for (const wchar_t* name : kDemoSavers) {
        HostWindow host(100, 100, 240, 180);
        ScreenSaver_CL runner;
        runner.Start(test::DemoSaverPath(name).c_str(), host.get(), SAVER_MODE_PREVIEW);
        RunningProgram watch(runner.ProcessId());
        const HWND child = runner.SaverWindow();
        ASSERT_NE(child, nullptr) << test::Narrow(name);
        EXPECT_TRUE(::IsChild(host.get(), child));

        ::MoveWindow(host.get(), 100, 100, 400, 300, TRUE);
        RECT area{};
        ::GetClientRect(host.get(), &area);
        EXPECT_TRUE(test::PumpUntil([&] {
            RECT inner{};
            ::GetClientRect(child, &inner);
            return inner.right == area.right && inner.bottom == area.bottom;
        }, 5000ms)) << test::Narrow(name);

        host.Destroy();
        EXPECT_TRUE(watch.WaitEnded(8000)) << test::Narrow(name);
        EXPECT_FALSE(runner.IsSaverAlive());
    }
}

TEST(DemoSavers, FullScreenIsTopmostCoversTheScreenAndEndsOnARealMoveAKeyOrAClick) {
    const UINT endings[] = {WM_MOUSEMOVE, WM_KEYDOWN, WM_LBUTTONDOWN};
    for (size_t i = 0; i < 3; ++i) {
        const wchar_t* name = kDemoSavers[i];
        ScreenSaver_CL runner;
        runner.Start(test::DemoSaverPath(name).c_str(), nullptr, SAVER_MODE_FULLSCREEN);
        RunningProgram watch(runner.ProcessId());
        const HWND window = runner.SaverWindow();
        ASSERT_NE(window, nullptr) << test::Narrow(name);
        EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT rect{};
        ::GetWindowRect(window, &rect);
        EXPECT_EQ(rect.left, ::GetSystemMetrics(SM_XVIRTUALSCREEN));
        EXPECT_EQ(rect.top, ::GetSystemMetrics(SM_YVIRTUALSCREEN));
        EXPECT_EQ(rect.right - rect.left, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
        EXPECT_EQ(rect.bottom - rect.top, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));

        // Whatever moves Wine itself reports first, a jitter of a few pixels
        // after one move never ends it.
        ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
        ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(302, 298));
        test::PumpFor(400ms);
        ASSERT_FALSE(watch.Ended()) << test::Narrow(name);
        if (endings[i] == WM_MOUSEMOVE)
            ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(420, 380));
        else
            ::PostMessageW(window, endings[i], endings[i] == WM_KEYDOWN ? VK_SPACE : MK_LBUTTON,
                           endings[i] == WM_KEYDOWN ? 0 : MAKELPARAM(10, 10));
        EXPECT_TRUE(watch.WaitEnded(8000)) << test::Narrow(name);
        runner.Stop();
        EXPECT_EQ(runner.ProcessHandle(), nullptr);
    }
}

// A demo saver started with `arguments`, and the first window it shows.
struct Opened {
    Opened(const wchar_t* name, const std::wstring& arguments)
        : program(test::DemoSaverPath(name), arguments), window(WaitForWindowOf(program.id(), nullptr)) {}
    RunningProgram program;
    const HWND window;
};

// Also opened without a switch (Plasma) and with an owner window (Bubbles).
TEST(DemoSavers, SettingsDialogSavesWhatTheUserChose) {
    test::DeleteUserKey(DemoKey(L"Starfield"));
    test::DeleteUserKey(DemoKey(L"Plasma"));
    DWORD value = 0;
    Opened star(L"Starfield", L"/c");
    ASSERT_NE(star.window, nullptr);
    EXPECT_EQ(test::WindowText(star.window), L"スターフィールド の設定");
    EXPECT_EQ(::SendDlgItemMessageW(star.window, 200, TBM_GETPOS, 0, 0), 600);  // the default, nothing stored yet
    ::SendDlgItemMessageW(star.window, 200, TBM_SETPOS, TRUE, 1234);
    EXPECT_EQ(::SendDlgItemMessageW(star.window, 202, CB_GETCOUNT, 0, 0), 3);
    ::SendDlgItemMessageW(star.window, 202, CB_SETCURSEL, 1, 0);
    ::PostMessageW(star.window, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(star.program.WaitEnded(8000));
    ASSERT_TRUE(test::ReadUserDword(DemoKey(L"Starfield"), L"StarCount", value));
    EXPECT_EQ(value, 1234u);
    ASSERT_TRUE(test::ReadUserDword(DemoKey(L"Starfield"), L"Colours", value));
    EXPECT_EQ(value, 1u);

    // Opened again, it shows what was saved; cancelling changes nothing.
    Opened again(L"Starfield", L"/c");
    ASSERT_NE(again.window, nullptr);
    EXPECT_EQ(::SendDlgItemMessageW(again.window, 200, TBM_GETPOS, 0, 0), 1234);
    ::SendDlgItemMessageW(again.window, 200, TBM_SETPOS, TRUE, 100);
    ::PostMessageW(again.window, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(again.program.WaitEnded(8000));
    ASSERT_TRUE(test::ReadUserDword(DemoKey(L"Starfield"), L"StarCount", value));
    EXPECT_EQ(value, 1234u);
    test::DeleteUserKey(DemoKey(L"Starfield"));

    Opened plasma(L"Plasma", L"");
    ASSERT_NE(plasma.window, nullptr);
    EXPECT_EQ(test::WindowText(plasma.window), L"プラズマ の設定");
    ::SendDlgItemMessageW(plasma.window, 200, CB_SETCURSEL, 3, 0);
    ::PostMessageW(plasma.window, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(plasma.program.WaitEnded(8000));
    ASSERT_TRUE(test::ReadUserDword(DemoKey(L"Plasma"), L"Palette", value));
    EXPECT_EQ(value, 3u);
    test::DeleteUserKey(DemoKey(L"Plasma"));

    HostWindow owner;
    Opened bubbles(L"Bubbles", L"/c:" + std::to_wstring(reinterpret_cast<LONG_PTR>(owner.get())));
    ASSERT_NE(bubbles.window, nullptr);
    EXPECT_EQ(::GetWindow(bubbles.window, GW_OWNER), owner.get());
    ::PostMessageW(bubbles.window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(bubbles.program.WaitEnded(8000));
}

} // namespace
} // namespace lum
