#include "saver/ScreenSaver_CL.h"

#include "base/Scoped.h"

#include <psapi.h>
#include <process.h>

#include <vector>

namespace lum {

namespace {

constexpr DWORD kPollStepMs = 20;

// Messages that other threads send to this one (a preview saver creating its
// child window inside our host sends some) must be handled while we wait,
// or the saver and we would each wait for the other.
void HandleSentMessages() {
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// Waits up to `ms` for the handle; true when it was signalled.
bool WaitHandlingSentMessages(HANDLE handle, DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = ms == INFINITE ? INFINITE : (now >= end ? 0 : static_cast<DWORD>(end - now));
        const DWORD r = ::MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
        HandleSentMessages();
    }
}

bool HasEnded(HANDLE process) { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

// Waits, bounded, until the new process is idle for input, has ended, or
// has no message queue at all (WaitForInputIdle then fails at once).
void WaitForSaverIdle(HANDLE process, DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (;;) {
        const DWORD r = ::WaitForInputIdle(process, 0);
        if (r == 0 || r == WAIT_FAILED) return;
        if (::GetTickCount64() >= end) return;
        if (WaitHandlingSentMessages(process, kPollStepMs)) return;
    }
}

std::wstring FileNamePart(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ShortPathOf(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = ::GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
    return (n == 0 || n >= MAX_PATH) ? std::wstring() : std::wstring(buffer, n);
}

bool SameName(const std::wstring& a, const wchar_t* b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b, -1, TRUE) == CSTR_EQUAL;
}

bool StillActive(HANDLE process) {
    DWORD code = 0;
    return ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
}

struct WindowSearch {
    DWORD processId;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (search->visibleOnly && !::IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

std::wstring SaverSwitch(SAVER_MODE mode, HWND host) {
    switch (mode) {
    case SAVER_MODE_FULLSCREEN: return L" /s";
    case SAVER_MODE_PREVIEW:
        return L" /p " + std::to_wstring(static_cast<long long>(reinterpret_cast<LONG_PTR>(host)));
    case SAVER_MODE_CONFIG: return L" /c";
    default: return std::wstring();
    }
}

std::wstring BuildSaverCommandLine(const std::wstring& path, const std::wstring& shortPath, SAVER_MODE mode,
                                   HWND host) {
    if (path.empty() || path.size() >= MAX_PATH) return std::wstring();
    if (path.find(L'"') != std::wstring::npos) return std::wstring();  // no file name holds one
    const std::wstring switchPart = SaverSwitch(mode, host);
    if (switchPart.empty()) return std::wstring();
    std::wstring program;
    if (!shortPath.empty() && shortPath.find(L' ') == std::wstring::npos && shortPath.find(L'"') == std::wstring::npos)
        program = shortPath;
    else if (path.find(L' ') != std::wstring::npos)
        program = L"\"" + path + L"\"";
    else
        program = path;
    return program + switchPart;
}

ScreenSaver_CL::ScreenSaver_CL() : ScreenSaver_CL(SaverRunnerLimits()) {}

ScreenSaver_CL::ScreenSaver_CL(const SaverRunnerLimits& limits)
    : m_limits(limits), m_hShutdownEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

ScreenSaver_CL::~ScreenSaver_CL() {
    UniqueHandle thread;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_bShutdown = true;
        m_szPendingPath.clear();
        thread = std::move(m_hCloseThread);
    }
    // A waiting closer thread wakes at once; one that is starting a deferred
    // saver is bounded by the limits.
    if (m_hShutdownEvent) ::SetEvent(m_hShutdownEvent.get());
    if (thread) WaitHandlingSentMessages(thread.get(), INFINITE);
    // As Stop would: ask a saver that still runs to close. Nobody waits for it.
    if (m_hProcess) {
        if (!m_bClosing && StillActive(m_hProcess.get())) {
            if (HWND window = FindProcessWindow(m_dwProcessId, m_hSaverHost)) ::PostMessageW(window, WM_CLOSE, 0, 0);
        }
        ReleaseProcessLocked();
    }
}

void ScreenSaver_CL::Start(const wchar_t* path, HWND host, SAVER_MODE mode) {
    const std::wstring target = path ? path : L"";
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_bShutdown) return;
        m_hHostWnd = host;
        m_bRunning = true;
        // Closing, or a start of the closer thread that a Stop already asked
        // to end: keep this request (only the last) for after it.
        if (m_bClosing || (m_bStarting && m_bStopAfterStart)) {
            m_szPendingPath = target;
            m_nPendingMode = mode;
            return;
        }
        if (m_bStarting) return;
        m_bStarting = true;
        m_szPendingPath.clear();
    }
    Launch launch = LaunchSaver(target, host, mode);

    std::lock_guard<std::mutex> hold(m_lock);
    AdoptLaunch(target, std::move(launch));
    m_bStarting = false;
    if (m_bStopAfterStart) {
        m_bStopAfterStart = false;
        if (!m_bShutdown && m_hProcess) {
            HWND window = FindProcessWindow(m_dwProcessId, m_hSaverHost);
            if (window || m_hSaverWnd) BeginClosingLocked(window);
        }
    }
}

void ScreenSaver_CL::Stop() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_szPendingPath.clear();
    if (m_bShutdown || m_bClosing) return;
    if (m_bStarting) {
        // Another thread is starting a saver right now: end it once it runs.
        m_bStopAfterStart = true;
        return;
    }
    if (!m_hProcess) return;
    if (HasEnded(m_hProcess.get())) {  // e.g. a full-screen saver the user has closed
        ReleaseProcessLocked();
        m_bRunning = false;
        m_lastOutcome = SaverStopOutcome::Ended;
        return;
    }
    // Looked up afresh: Wine sometimes shows the window only after the start.
    HWND window = FindProcessWindow(m_dwProcessId, m_hSaverHost);
    if (!window && !m_hSaverWnd) return;  // never had a window: cannot be asked to close
    BeginClosingLocked(window);
}

void ScreenSaver_CL::BeginClosingLocked(HWND window) {
    m_bClosing = true;
    // Posted, not sent: a saver that is slow to handle it must not hold up
    // the caller's window.
    if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (m_bCloserActive) return;  // the closer thread at work sees m_bClosing before it goes on
    if (m_hCloseThread) {  // an earlier closer thread has finished or is about to
        ::WaitForSingleObject(m_hCloseThread.get(), INFINITE);
        m_hCloseThread.reset();
    }
    m_hCloseThread.reset(reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, &ScreenSaver_CL::CloserThread, this, 0, &m_uCloseThreadId)));
    if (!m_hCloseThread) {  // nobody could wait for it: the saver stays tracked as running
        m_bClosing = false;
        return;
    }
    m_bCloserActive = true;
}

void ScreenSaver_CL::ReleaseProcessLocked() {
    m_hProcess.reset();
    m_hSaverWnd = nullptr;
    m_dwProcessId = 0;
}

void ScreenSaver_CL::AdoptLaunch(const std::wstring& path, Launch launch) {
    if (!launch.process) {
        m_bRunning = static_cast<bool>(m_hProcess);
        return;
    }
    ReleaseProcessLocked();  // a saver started without Stop before is no longer tracked
    m_hProcess = std::move(launch.process);
    m_dwProcessId = launch.processId;
    m_hSaverWnd = launch.window;
    m_hSaverHost = launch.host;
    m_szModuleName = FileNamePart(path);
    m_bRunning = true;
}

ScreenSaver_CL::Launch ScreenSaver_CL::LaunchSaver(const std::wstring& path, HWND host, SAVER_MODE mode) const {
    Launch launch;
    const std::wstring commandLine = BuildSaverCommandLine(path, ShortPathOf(path), mode, host);
    if (commandLine.empty()) return launch;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');  // CreateProcessW may write into its command line

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION tPinfo{};
    // The full path as application name: nothing is searched, and a folder
    // with blanks cannot start some other program named like its first part.
    if (!::CreateProcessW(path.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &tPinfo))
        return launch;
    launch.process.reset(tPinfo.hProcess);
    const UniqueHandle mainThread(tPinfo.hThread);  // never used; closed on return

    WaitForSaverIdle(tPinfo.hProcess, m_limits.idleWaitMs);
    HWND window = FindProcessWindow(tPinfo.dwProcessId, host);
    const ULONGLONG end = ::GetTickCount64() + m_limits.windowSearchMs;
    while (!window && ::GetTickCount64() < end) {
        if (WaitHandlingSentMessages(tPinfo.hProcess, kPollStepMs)) break;  // it has ended
        window = FindProcessWindow(tPinfo.dwProcessId, host);
    }
    launch.processId = tPinfo.dwProcessId;
    launch.window = window;
    launch.host = host;
    return launch;
}

unsigned __stdcall ScreenSaver_CL::CloserThread(void* argument) {
    auto* runner = static_cast<ScreenSaver_CL*>(argument);
    try {
        runner->RunCloser();
    } catch (...) {
        // Nothing may leave a thread function. Leave the runner usable: idle,
        // with whatever it still tracks.
        ::OutputDebugStringW(L"Lumenary: the screen saver closer thread failed\n");
        std::lock_guard<std::mutex> hold(runner->m_lock);
        runner->m_bClosing = false;
        runner->m_bStarting = false;
        runner->m_szPendingPath.clear();
        runner->m_bCloserActive = false;
    }
    return 0;
}

void ScreenSaver_CL::RunCloser() {
    bool waitForEnd = true;
    for (;;) {
        std::unique_lock<std::mutex> hold(m_lock);
        if (waitForEnd || m_bClosing) {
            HANDLE process = m_hProcess.get();  // only this thread releases it meanwhile
            hold.unlock();
            bool ended = true;
            if (process) {
                HANDLE waits[2] = {process, m_hShutdownEvent.get()};
                ::WaitForMultipleObjects(2, waits, FALSE, m_limits.closeWaitMs);
                ended = HasEnded(process);
            }
            hold.lock();
            if (process) m_lastOutcome = ended ? SaverStopOutcome::Ended : SaverStopOutcome::GaveUp;
            if (ended) {
                ReleaseProcessLocked();
            } else {
                // Given up on: the handle goes, but the identity stays until the
                // next start, so that whoever polls IsSaverAlive (say, before
                // deleting the saver's folder) keeps seeing it run.
                ::OutputDebugStringW(L"Lumenary: a screen saver did not end after WM_CLOSE; left running\n");
                const DWORD id = m_dwProcessId;
                ReleaseProcessLocked();
                m_dwProcessId = id;
            }
            m_bClosing = false;
            m_bRunning = false;
        }
        if (m_bShutdown || m_szPendingPath.empty()) {
            m_szPendingPath.clear();
            m_bCloserActive = false;
            return;
        }
        const std::wstring path = m_szPendingPath;
        const SAVER_MODE mode = m_nPendingMode;
        const HWND host = m_hHostWnd;
        m_szPendingPath.clear();
        m_bStarting = true;
        m_bRunning = true;
        hold.unlock();

        Launch launch = LaunchSaver(path, host, mode);

        hold.lock();
        AdoptLaunch(path, std::move(launch));
        m_bStarting = false;
        const bool stopNow = m_bStopAfterStart && !m_bShutdown;
        m_bStopAfterStart = false;
        if (stopNow && m_hProcess) {
            HWND window = FindProcessWindow(m_dwProcessId, m_hSaverHost);
            if (window || m_hSaverWnd) {
                m_bClosing = true;
                if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
                waitForEnd = true;
                continue;
            }
        }
        // A stop that could not act (the saver has no window) lets the next
        // request start at once, as a direct Start would.
        if (!m_bShutdown && !m_szPendingPath.empty()) {
            waitForEnd = false;
            continue;
        }
        m_bCloserActive = false;
        return;
    }
}

bool ScreenSaver_CL::IsSaverProcessAlive(const wchar_t* moduleName, DWORD processId) {
    if (!moduleName || !*moduleName || processId == 0) return false;
    std::wstring name;
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (process) {
        if (!StillActive(process.get())) return false;  // ended; only an open handle keeps its id
        HMODULE first = nullptr;
        DWORD needed = 0;
        wchar_t buffer[MAX_PATH] = L"<unknown>";
        if (::EnumProcessModules(process.get(), &first, sizeof first, &needed) && needed >= sizeof first &&
            ::GetModuleBaseNameW(process.get(), first, buffer, MAX_PATH))
            name = buffer;
    }
    if (name.empty()) {
        // Module lists are not readable across 32/64-bit lines; the image
        // name is.
        UniqueHandle limited(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
        if (!limited || !StillActive(limited.get())) return false;
        wchar_t buffer[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (!::QueryFullProcessImageNameW(limited.get(), 0, buffer, &size)) return false;
        name = FileNamePart(std::wstring(buffer, size));
    }
    return SameName(name, moduleName);
}

HWND ScreenSaver_CL::FindProcessWindow(DWORD processId, HWND host) {
    if (processId == 0) return nullptr;
    WindowSearch search{processId, false, nullptr};
    if (host && ::IsWindow(host)) ::EnumChildWindows(host, &MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    // Top level: only visible windows, so a hidden helper window of the
    // process is not taken for the saver.
    search.visibleOnly = true;
    ::EnumWindows(&MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HANDLE ScreenSaver_CL::ProcessHandle() const { std::lock_guard<std::mutex> h(m_lock); return m_hProcess.get(); }
DWORD ScreenSaver_CL::ProcessId() const { std::lock_guard<std::mutex> h(m_lock); return m_dwProcessId; }
HWND ScreenSaver_CL::SaverWindow() const { std::lock_guard<std::mutex> h(m_lock); return m_hSaverWnd; }
HWND ScreenSaver_CL::HostWindow() const { std::lock_guard<std::mutex> h(m_lock); return m_hHostWnd; }
std::wstring ScreenSaver_CL::ModuleName() const { std::lock_guard<std::mutex> h(m_lock); return m_szModuleName; }
std::wstring ScreenSaver_CL::PendingPath() const { std::lock_guard<std::mutex> h(m_lock); return m_szPendingPath; }
SAVER_MODE ScreenSaver_CL::PendingMode() const { std::lock_guard<std::mutex> h(m_lock); return m_nPendingMode; }
bool ScreenSaver_CL::IsClosing() const { std::lock_guard<std::mutex> h(m_lock); return m_bClosing; }
bool ScreenSaver_CL::IsStarting() const { std::lock_guard<std::mutex> h(m_lock); return m_bStarting; }
bool ScreenSaver_CL::IsRunning() const { std::lock_guard<std::mutex> h(m_lock); return m_bRunning; }
bool ScreenSaver_CL::HasCloserThread() const { std::lock_guard<std::mutex> h(m_lock); return m_bCloserActive; }
SaverStopOutcome ScreenSaver_CL::LastStopOutcome() const {
    std::lock_guard<std::mutex> h(m_lock);
    return m_lastOutcome;
}

bool ScreenSaver_CL::IsSaverAlive() const {
    std::wstring name;
    DWORD id = 0;
    {
        std::lock_guard<std::mutex> h(m_lock);
        name = m_szModuleName;
        id = m_dwProcessId;
    }
    return IsSaverProcessAlive(name.c_str(), id);
}

} // namespace lum
