#pragma once
// Starts a screen saver program in one of its three modes and ends it again.
// Ending is asynchronous: Stop asks the saver's window to close and a closer
// thread waits for the process; a start asked for meanwhile is carried out
// by that thread once the old process is gone (only the last one is kept).
//
// Everything the two threads share is guarded by one lock; read the state
// through the accessors, which take it.
#include "base/Scoped.h"

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>

namespace lum {

using SAVER_MODE = int32_t;
constexpr SAVER_MODE SAVER_MODE_FULLSCREEN = 0;  // "/s"
constexpr SAVER_MODE SAVER_MODE_PREVIEW = 1;     // "/p <host window>"
constexpr SAVER_MODE SAVER_MODE_CONFIG = 2;      // "/c"

// The switch part of a saver's command line, with its leading blank
// (" /s", " /p 1234", " /c"); empty for an unknown mode.
std::wstring SaverSwitch(SAVER_MODE mode, HWND host);

// The whole command line: the program token, then the switch. The token is
// the short form of the path when there is one without blanks (old savers
// split their command line at the first blank), otherwise the long path,
// quoted when it holds a blank. Empty when the path is empty, too long for
// a program path (MAX_PATH or more), or the mode is unknown.
std::wstring BuildSaverCommandLine(const std::wstring& path, const std::wstring& shortPath,
                                   SAVER_MODE mode, HWND host);

// How long the runner waits for a saver at each step. A saver is somebody
// else's program: every wait is bounded, so a hanging one never freezes the
// window that started it nor keeps the program from ending.
struct SaverRunnerLimits {
    DWORD idleWaitMs = 5000;      // until the new process is idle for input
    DWORD windowSearchMs = 2000;  // further search for its window after that
    DWORD closeWaitMs = 10000;    // for the process to end after WM_CLOSE
};

// What became of the last stop that reached the closer thread.
enum class SaverStopOutcome {
    None,    // no stop has finished yet
    Ended,   // the saver's process ended
    GaveUp,  // it was still running after closeWaitMs; it was left running
             // (never terminated) and the runner went on without it. Its
             // ProcessId and ModuleName stay until the next start, so
             // IsSaverAlive keeps telling the truth about it.
};

class ScreenSaver_CL {
public:
    ScreenSaver_CL();
    explicit ScreenSaver_CL(const SaverRunnerLimits& limits);
    virtual ~ScreenSaver_CL();
    ScreenSaver_CL(const ScreenSaver_CL&) = delete;
    ScreenSaver_CL& operator=(const ScreenSaver_CL&) = delete;

    // Starts the saver at `path` (host may be null); look at
    // ProcessHandle/ProcessId/SaverWindow to see whether it started.
    // While a stop is under way the request is kept and carried out later.
    void Start(const wchar_t* path, HWND host, SAVER_MODE mode);
    // Posts one WM_CLOSE to the saver's window and returns at once; during a
    // stop it only cancels a deferred start.
    void Stop();

    // Is process `processId` running with main module `moduleName`? Letter
    // case does not matter, as in Windows file names.
    static bool IsSaverProcessAlive(const wchar_t* moduleName, DWORD processId);
    // The first window of the process: a descendant of `host`, else a
    // visible top-level window; null if it has none.
    static HWND FindProcessWindow(DWORD processId, HWND host);

    // Snapshots, safe from any thread.
    HANDLE ProcessHandle() const;     // owned by the runner; do not close
    DWORD ProcessId() const;
    HWND SaverWindow() const;
    HWND HostWindow() const;
    std::wstring ModuleName() const;
    std::wstring PendingPath() const;
    SAVER_MODE PendingMode() const;
    bool IsClosing() const;
    bool IsStarting() const;
    bool IsRunning() const;
    bool HasCloserThread() const;     // a closer thread is at work
    bool IsSaverAlive() const;        // IsSaverProcessAlive(ModuleName(), ProcessId())
    SaverStopOutcome LastStopOutcome() const;
    const SaverRunnerLimits& Limits() const { return m_limits; }

private:
    struct Launch {
        UniqueHandle process;
        DWORD processId = 0;
        HWND window = nullptr;
        HWND host = nullptr;  // where it was started
    };
    Launch LaunchSaver(const std::wstring& path, HWND host, SAVER_MODE mode) const;
    void AdoptLaunch(const std::wstring& path, Launch launch);  // lock held
    void BeginClosingLocked(HWND window);                              // lock held
    void ReleaseProcessLocked();                                       // lock held
    static unsigned __stdcall CloserThread(void* argument);
    void RunCloser();

    const SaverRunnerLimits m_limits;
    mutable std::mutex m_lock;

    unsigned m_uCloseThreadId = 0;
    UniqueHandle m_hCloseThread;       // joined and closed by the next Stop or the destructor
    std::wstring m_szModuleName;
    UniqueHandle m_hProcess;
    HWND m_hSaverWnd = nullptr;
    DWORD m_dwProcessId = 0;
    HWND m_hHostWnd = nullptr;
    HWND m_hSaverHost = nullptr;       // the host the tracked saver was started in
    std::wstring m_szPendingPath;
    SAVER_MODE m_nPendingMode = 0;
    bool m_bClosing = false;
    bool m_bStarting = false;
    bool m_bRunning = false;

    bool m_bCloserActive = false;      // the closer thread has not finished yet
    bool m_bStopAfterStart = false;    // Stop arrived while another thread was starting
    bool m_bShutdown = false;          // the destructor runs: start nothing more
    UniqueHandle m_hShutdownEvent;     // wakes a waiting closer thread at once
    SaverStopOutcome m_lastOutcome = SaverStopOutcome::None;
};

} // namespace lum
