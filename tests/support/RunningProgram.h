#pragma once
// A program started (or watched) by a test, and the windows it shows.
#include "base/Scoped.h"

#include <string>
#include <vector>

namespace lum::test {

class RunningProgram {
public:
    // Starts `exe` with `arguments`.
    explicit RunningProgram(const std::wstring& exe, const std::wstring& arguments = L"");
    // Watches a process that something else started (0: none).
    explicit RunningProgram(DWORD processId);
    ~RunningProgram();  // a program still running at the end is ended
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD id() const { return m_id; }
    bool running() const;
    bool Ended() const;
    // Waits for the end while this thread's messages are handled.
    bool WaitEnded(DWORD milliseconds) const;
    // Waits for the end; the exit code, or STILL_ACTIVE when time ran out.
    DWORD WaitForExit(DWORD milliseconds);

    // Top-level windows of this process with the class (any when empty).
    std::vector<HWND> TopWindows(const std::wstring& className = L"", bool visibleOnly = true) const;
    // Waits until exactly such a window exists; null when none came.
    HWND WaitForTopWindow(const std::wstring& className, DWORD milliseconds) const;

private:
    UniqueHandle m_process;
    DWORD m_id = 0;
};

// Top-level windows of the process with the class (any when empty).
std::vector<HWND> TopWindowsOf(DWORD processId, const std::wstring& className = L"", bool visibleOnly = true);
std::wstring WindowText(HWND hwnd);

} // namespace lum::test
