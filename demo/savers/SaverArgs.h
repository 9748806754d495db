#pragma once
// How a screen saver is asked to run, read from its command line.
#include <windows.h>

#include <string>

namespace lum::demo {

enum class SaverRun {
    Config,      // "/c", "/c:<hwnd>", "/c <hwnd>", or no switch at all
    FullScreen,  // "/s"
    Preview,     // "/p <hwnd>" (also "/p:<hwnd>", "/l <hwnd>")
    None,        // "/a" (password change) or a preview without a usable window: do nothing
};

struct SaverArgs {
    SaverRun run = SaverRun::Config;
    HWND window = nullptr;  // preview parent, or owner of the settings dialog
};

// The command line as GetCommandLineW gives it, program token first.
SaverArgs ParseSaverCommandLine(const std::wstring& commandLine);

// The text after the program token (quoted or not), leading blanks dropped.
std::wstring ArgumentsOf(const std::wstring& commandLine);

// Ends a full-screen saver on a real move only: the moves of its first
// moments (the window appearing under a resting mouse, and mouse input that
// a busy system delivers late) only set where the mouse rests, and jitter of
// a few pixels from there is ignored.
class MouseMoveFilter {
public:
    explicit MouseMoveFilter(int threshold = 4, ULONGLONG settleMs = 300)
        : m_threshold(threshold), m_settleUntil(::GetTickCount64() + settleMs) {}
    bool EndsSaver(POINT position);

private:
    int m_threshold;
    ULONGLONG m_settleUntil;
    bool m_seen = false;
    POINT m_first{};
};

} // namespace lum::demo
