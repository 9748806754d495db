// The runner against real saver processes under Wine: command lines as the
// saver receives them, windows found, stops, deferred starts, misbehaving
// savers.
#include "saver/ScreenSaver_CL.h"
#include "tests/saver/SaverTestSupport.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <atomic>
#include <thread>

namespace lum {
namespace {

using namespace std::chrono_literals;
using test::HostWindow;
using test::RunningProgram;
using test::RecordNumber;
using test::RecordValue;

bool SameFile(const std::wstring& a, const std::wstring& b) {
    wchar_t longA[MAX_PATH] = {}, longB[MAX_PATH] = {};
    if (!::GetLongPathNameW(a.c_str(), longA, MAX_PATH) || !::GetLongPathNameW(b.c_str(), longB, MAX_PATH)) return false;
    return ::CompareStringOrdinal(longA, -1, longB, -1, TRUE) == CSTR_EQUAL;
}

std::vector<std::wstring> SplitArguments(const std::wstring& commandLine) {
    int count = 0;
    std::vector<std::wstring> result;
    if (LPWSTR* argv = ::CommandLineToArgvW(commandLine.c_str(), &count)) {
        for (int i = 0; i < count; ++i) result.emplace_back(argv[i]);
        ::LocalFree(argv);
    }
    return result;
}

bool WaitForRecord(const std::wstring& saver, std::chrono::milliseconds limit = 8000ms) {
    return test::PumpUntil([&] { return !test::ReadRecord(saver).empty(); }, limit);
}

// Runs until the runner has no closer thread left (every stop finished).
bool WaitIdle(const ScreenSaver_CL& runner, std::chrono::milliseconds limit = 15000ms) {
    return test::PumpUntil([&] { return !runner.HasCloserThread() && !runner.IsClosing(); }, limit);
}

// Stops the tracked saver; once it has ended the runner lets go of it.
void StopAndWaitEnded(ScreenSaver_CL& runner) {
    RunningProgram watch(runner.ProcessId());
    runner.Stop();
    EXPECT_TRUE(watch.WaitEnded(8000));
    EXPECT_TRUE(WaitIdle(runner));
    EXPECT_EQ(runner.ProcessId(), 0u);
    EXPECT_EQ(runner.LastStopOutcome(), SaverStopOutcome::Ended);
}

class RunnerTest : public ::testing::Test {
protected:
    std::wstring Fixture(const std::wstring& fixture, const std::wstring& name) {
        const std::wstring path = m_folder / name;
        EXPECT_TRUE(test::CopyFixture(fixture, path)) << test::Narrow(path);
        return path;
    }
    test::TempFolder m_folder;
};

TEST_F(RunnerTest, EachModeReachesTheSaverWithAPathOfBlanksAndJapanese) {
    const std::wstring folder = m_folder / L"セーバー 置き場";
    ASSERT_TRUE(test::MakeFolders(folder));
    const std::wstring saver = folder + L"\\星 空 テスト.scr";
    ASSERT_TRUE(test::CopyFixture(L"RecorderSaver.scr", saver));
    // Without an application name "…\セーバー 置き場\星 空 テスト.scr /s" runs "…\セーバー.exe".
    const std::wstring decoy = m_folder / L"セーバー.exe";
    ASSERT_TRUE(test::CopyFixture(L"RecorderSaver.scr", decoy));
    HostWindow host;

    struct Case {
        SAVER_MODE mode;
        std::vector<std::wstring> switches;
    };
    const std::wstring hostNumber = std::to_wstring(reinterpret_cast<LONG_PTR>(host.get()));
    const Case cases[] = {
        {SAVER_MODE_FULLSCREEN, {L"/s"}},
        {SAVER_MODE_PREVIEW, {L"/p", hostNumber}},
        {SAVER_MODE_CONFIG, {L"/c"}},
    };
    for (const Case& c : cases) {
        ::DeleteFileW((saver + L".log").c_str());
        ScreenSaver_CL runner;
        runner.Start(saver.c_str(), host.get(), c.mode);
        ASSERT_NE(runner.ProcessHandle(), nullptr) << "mode " << c.mode;
        ASSERT_TRUE(WaitForRecord(saver)) << "mode " << c.mode;

        // The saver must see one program token naming this very file, then
        // the switch words, nothing split at a blank.
        const std::wstring commandLine = RecordValue(saver, L"command");
        const std::vector<std::wstring> args = SplitArguments(commandLine);
        ASSERT_EQ(args.size(), 1 + c.switches.size()) << test::Narrow(commandLine);
        EXPECT_TRUE(SameFile(args[0], saver)) << test::Narrow(args[0]);
        for (size_t i = 0; i < c.switches.size(); ++i) EXPECT_EQ(args[i + 1], c.switches[i]);
        EXPECT_EQ(std::to_wstring(runner.ProcessId()), RecordValue(saver, L"pid"));
        EXPECT_EQ(runner.ModuleName(), L"星 空 テスト.scr");
        if (c.mode == SAVER_MODE_PREVIEW) {
            EXPECT_TRUE(::IsChild(host.get(), runner.SaverWindow()));
            // Wine does not show what the child paints: its own count tells.
            EXPECT_TRUE(test::PumpUntil([&] { return RecordNumber(saver, L"paints") >= 3; }, 8000ms));
        }
        StopAndWaitEnded(runner);
    }
    EXPECT_FALSE(test::FileExists(decoy + L".log"));
}

// A start while the stopped saver closes waits until the old process is
// gone; a stop meanwhile cancels it, and of several such starts only the
// last runs.
TEST_F(RunnerTest, StartsDuringASlowExitWaitForItAndAStopReachesASaverBeingStarted) {
    // The slow saver spends two seconds on WM_CLOSE before its window goes:
    // a stop that waited for it would find the window gone on return.
    const std::wstring slow = Fixture(L"SlowSaver.scr", L"Slow.scr");
    const std::wstring replaced = Fixture(L"RecorderSaver.scr", L"Replaced.scr");
    const std::wstring first = Fixture(L"RecorderSaver.scr", L"First.scr");
    const std::wstring second = Fixture(L"RecorderSaver.scr", L"Second.scr");
    HostWindow hostA(40, 40, 300, 200), hostB(400, 40, 260, 180);
    ScreenSaver_CL runner;
    runner.Start(slow.c_str(), nullptr, SAVER_MODE_FULLSCREEN);
    RunningProgram slowWatch(runner.ProcessId());
    const HWND window = runner.SaverWindow();
    ASSERT_NE(window, nullptr);
    runner.Stop();
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_TRUE(runner.IsClosing());
    runner.Start(replaced.c_str(), hostB.get(), SAVER_MODE_PREVIEW);
    EXPECT_EQ(runner.PendingPath(), replaced);
    runner.Stop();
    EXPECT_TRUE(runner.PendingPath().empty());
    runner.Start(replaced.c_str(), hostB.get(), SAVER_MODE_PREVIEW);
    runner.Start(first.c_str(), hostA.get(), SAVER_MODE_PREVIEW);
    EXPECT_EQ(runner.PendingPath(), first);
    EXPECT_FALSE(slowWatch.Ended());

    // The closer thread starts the waiting saver in host A once the old one
    // has ended, and the next request (for host B) stops it meanwhile: it
    // must still be asked to close where it is, not looked for in B and
    // given up on.
    ASSERT_TRUE(test::PumpUntil([&] { return runner.IsStarting(); }, 10000ms));
    EXPECT_TRUE(slowWatch.Ended());
    runner.Stop();
    runner.Start(second.c_str(), hostB.get(), SAVER_MODE_PREVIEW);
    ASSERT_TRUE(WaitForRecord(second, 15000ms));
    ASSERT_TRUE(WaitForRecord(first));
    const DWORD firstId = static_cast<DWORD>(RecordNumber(first, L"pid"));
    RunningProgram firstWatch(firstId);
    EXPECT_TRUE(WaitIdle(runner));
    EXPECT_EQ(RecordNumber(first, L"closes"), 1);
    EXPECT_TRUE(test::PumpUntil([&] { return !ScreenSaver_CL::IsSaverProcessAlive(L"First.scr", firstId); },
                                8000ms));
    EXPECT_EQ(runner.LastStopOutcome(), SaverStopOutcome::Ended);
    EXPECT_FALSE(test::FileExists(replaced + L".log"));
    EXPECT_EQ(std::to_wstring(runner.ProcessId()), RecordValue(second, L"pid"));
    EXPECT_TRUE(::IsChild(hostB.get(), runner.SaverWindow()));
    StopAndWaitEnded(runner);
}

TEST_F(RunnerTest, ASaverIgnoringCloseIsGivenUpOnAfterTheLimitAndTheNextStartProceeds) {
    const std::wstring stubborn = Fixture(L"StubbornSaver.scr", L"Stubborn.scr");
    const std::wstring next = Fixture(L"RecorderSaver.scr", L"Next.scr");
    HostWindow host;
    ScreenSaver_CL runner(SaverRunnerLimits{5000, 2000, 1500});
    runner.Start(stubborn.c_str(), host.get(), SAVER_MODE_FULLSCREEN);
    RunningProgram stubbornWatch(runner.ProcessId());
    ASSERT_TRUE(WaitForRecord(stubborn));
    runner.Stop();
    runner.Stop();  // a second stop asks nothing more of the saver
    runner.Start(next.c_str(), host.get(), SAVER_MODE_PREVIEW);

    ASSERT_TRUE(WaitForRecord(next, 15000ms));
    EXPECT_TRUE(WaitIdle(runner));
    EXPECT_EQ(runner.LastStopOutcome(), SaverStopOutcome::GaveUp);
    // Given up on, never terminated: it still runs, untracked, asked once.
    EXPECT_FALSE(stubbornWatch.Ended());
    EXPECT_EQ(RecordNumber(stubborn, L"closes"), 1);
    EXPECT_TRUE(::IsChild(host.get(), runner.SaverWindow()));
    StopAndWaitEnded(runner);
}

TEST_F(RunnerTest, ASaverWithoutAWindowIsTrackedButCannotBeAskedToClose) {
    const std::wstring silent = Fixture(L"NoWindowSaver.scr", L"Silent.scr");
    ScreenSaver_CL runner(SaverRunnerLimits{1000, 500, 1500});
    runner.Start(silent.c_str(), nullptr, SAVER_MODE_FULLSCREEN);
    RunningProgram watch(runner.ProcessId());
    ASSERT_NE(runner.ProcessHandle(), nullptr);
    EXPECT_EQ(runner.SaverWindow(), nullptr);
    EXPECT_TRUE(runner.IsSaverAlive());
    runner.Stop();
    EXPECT_FALSE(runner.HasCloserThread());
    EXPECT_TRUE(runner.IsSaverAlive());

    // Once it has ended by itself, a stop lets go of it.
    EXPECT_TRUE(watch.WaitEnded(10000));
    EXPECT_FALSE(runner.IsSaverAlive());
    runner.Stop();
    EXPECT_EQ(runner.ProcessHandle(), nullptr);
    EXPECT_FALSE(runner.IsRunning());
}

TEST_F(RunnerTest, ASaverThatHangsAtStartHoldsTheCallerOnlyForTheIdleLimit) {
    const std::wstring hanging = Fixture(L"HangingSaver.scr", L"Hanging.scr");
    ScreenSaver_CL runner(SaverRunnerLimits{1000, 500, 1000});
    runner.Start(hanging.c_str(), nullptr, SAVER_MODE_FULLSCREEN);
    RunningProgram watch(runner.ProcessId());
    ASSERT_NE(runner.ProcessHandle(), nullptr);
    // Start came back before the saver got over its hang (half a minute).
    const std::wstring state = RecordValue(hanging, L"state");
    EXPECT_TRUE(state == L"starting" || state == L"hanging") << test::Narrow(state);
    EXPECT_NE(runner.SaverWindow(), nullptr);
    EXPECT_FALSE(runner.IsStarting());
    EXPECT_TRUE(runner.IsSaverAlive());
}

TEST_F(RunnerTest, LivenessIgnoresLetterCaseButNotAnotherModuleName) {
    // On disk "Foo.SCR", started as "foo.scr": the same file to Windows.
    Fixture(L"RecorderSaver.scr", L"Foo.SCR");
    const std::wstring asGiven = m_folder / L"foo.scr";
    ScreenSaver_CL runner;
    runner.Start(asGiven.c_str(), nullptr, SAVER_MODE_FULLSCREEN);
    const DWORD id = runner.ProcessId();
    RunningProgram watch(id);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(runner.IsSaverAlive());
    EXPECT_TRUE(ScreenSaver_CL::IsSaverProcessAlive(L"FOO.scr", id));
    // The same identifier carrying another program counts as gone.
    EXPECT_FALSE(ScreenSaver_CL::IsSaverProcessAlive(L"Other.scr", id));

    runner.Stop();
    EXPECT_TRUE(watch.WaitEnded(8000));
    // Our own handle keeps the ended process's identifier from being reused.
    EXPECT_FALSE(ScreenSaver_CL::IsSaverProcessAlive(L"foo.scr", id));
    EXPECT_TRUE(WaitIdle(runner));
}

TEST_F(RunnerTest, FindProcessWindowPrefersTheHostsDescendants) {
    HostWindow host;
    const DWORD self = ::GetCurrentProcessId();
    // With nothing inside the host, a visible top-level window of ours is found.
    EXPECT_NE(ScreenSaver_CL::FindProcessWindow(self, host.get()), nullptr);
    HWND inner = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, host.get(), nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(ScreenSaver_CL::FindProcessWindow(self, host.get()), inner);
    EXPECT_EQ(ScreenSaver_CL::FindProcessWindow(0, host.get()), nullptr);
}

TEST_F(RunnerTest, BadPathsStartNothing) {
    ScreenSaver_CL runner;
    runner.Start((m_folder / L"missing.scr").c_str(), nullptr, SAVER_MODE_FULLSCREEN);
    EXPECT_EQ(runner.ProcessHandle(), nullptr);
    EXPECT_FALSE(runner.IsStarting());
    runner.Start(nullptr, nullptr, SAVER_MODE_FULLSCREEN);
    EXPECT_EQ(runner.ProcessHandle(), nullptr);
}

TEST_F(RunnerTest, DestroyingTheRunnerWhileASaverRefusesToEndDoesNotHang) {
    const std::wstring stubborn = Fixture(L"StubbornSaver.scr", L"Stubborn.scr");
    const std::wstring next = Fixture(L"RecorderSaver.scr", L"Next.scr");
    auto runner = std::make_unique<ScreenSaver_CL>(SaverRunnerLimits{5000, 2000, 60000});
    runner->Start(stubborn.c_str(), nullptr, SAVER_MODE_FULLSCREEN);
    RunningProgram watch(runner->ProcessId());
    ASSERT_NE(runner->SaverWindow(), nullptr);
    runner->Stop();
    runner->Start(next.c_str(), nullptr, SAVER_MODE_FULLSCREEN);
    ASSERT_TRUE(runner->HasCloserThread());

    std::atomic<bool> gone{false};
    std::thread end([&] {
        runner.reset();
        gone = true;
    });
    const bool ended = test::PumpUntil([&] { return gone.load(); }, 10000ms);
    if (ended) end.join(); else end.detach();
    ASSERT_TRUE(ended);
    // The deferred start was dropped with the runner.
    test::PumpFor(300ms);
    EXPECT_FALSE(test::FileExists(next + L".log"));
}

} // namespace
} // namespace lum
