// The shipped demo savers as real full-screen processes: Wine reports mouse
// moves of its own, which must not end them, while a real move, a key or a
// click does.
#include "saver/ScreenSaver_CL.h"
#include "tests/saver/SaverTestSupport.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using namespace std::chrono_literals;

TEST(DemoSavers, FullScreenIgnoresAJitterButEndsOnARealMoveAKeyOrAClick) {
    const wchar_t* const savers[] = {L"Starfield", L"Bubbles", L"Plasma"};
    const UINT endings[] = {WM_MOUSEMOVE, WM_KEYDOWN, WM_LBUTTONDOWN};
    for (size_t i = 0; i < 3; ++i) {
        const wchar_t* name = savers[i];
        ScreenSaver_CL runner;
        runner.Start(test::DemoSaverPath(name).c_str(), nullptr, SAVER_MODE_FULLSCREEN);
        test::RunningProgram watch(runner.ProcessId());
        const HWND window = runner.SaverWindow();
        ASSERT_NE(window, nullptr) << test::Narrow(name);

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
    }
}

} // namespace
} // namespace lum
