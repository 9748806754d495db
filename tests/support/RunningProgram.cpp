#include "tests/support/RunningProgram.h"

#include "tests/support/TestSupport.h"

namespace lum::test {

RunningProgram::RunningProgram(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        const UniqueHandle thread(pi.hThread);  // not needed
        m_process.reset(pi.hProcess);
        m_id = pi.dwProcessId;
    }
}

RunningProgram::RunningProgram(DWORD processId) : m_id(processId) {
    if (processId)
        m_process.reset(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                      processId));
}

RunningProgram::~RunningProgram() {
    if (running()) {
        ::TerminateProcess(m_process.get(), 99);
        ::WaitForSingleObject(m_process.get(), 5000);
    }
}

bool RunningProgram::running() const {
    return m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

bool RunningProgram::Ended() const {
    return m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0;
}

bool RunningProgram::WaitEnded(DWORD milliseconds) const {
    return PumpUntil([this] { return Ended(); }, std::chrono::milliseconds(milliseconds));
}

DWORD RunningProgram::WaitForExit(DWORD milliseconds) {
    DWORD code = STILL_ACTIVE;
    if (m_process && ::WaitForSingleObject(m_process.get(), milliseconds) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(m_process.get(), &code);
    return code;
}

namespace {
struct WindowQuery {
    DWORD process;
    const std::wstring* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    auto& q = *reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[256] = {};  // stays empty when any class will do
    if (!q.className->empty()) ::GetClassNameW(hwnd, name, 256);
    if (pid == q.process && (!q.visibleOnly || ::IsWindowVisible(hwnd)) && *q.className == name) q.found.push_back(hwnd);
    return TRUE;
}
} // namespace

std::vector<HWND> TopWindowsOf(DWORD processId, const std::wstring& className, bool visibleOnly) {
    WindowQuery q{processId, &className, visibleOnly, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::vector<HWND> RunningProgram::TopWindows(const std::wstring& className, bool visibleOnly) const {
    return TopWindowsOf(m_id, className, visibleOnly);
}

HWND RunningProgram::WaitForTopWindow(const std::wstring& className, DWORD milliseconds) const {
    std::vector<HWND> windows;
    WaitUntil([&] { return (windows = TopWindows(className)).size() == 1; }, std::chrono::milliseconds(milliseconds));
    return windows.size() == 1 ? windows.front() : nullptr;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[512] = {};
    ::GetWindowTextW(hwnd, text, 512);
    return text;
}

} // namespace lum::test
