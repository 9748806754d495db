#include "tests/support/DialogAnswerer.h"

#include "tests/support/RunningProgram.h"

#include <algorithm>
#include <chrono>

namespace lum::test {

namespace {

BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM lParam) {
    wchar_t cls[32] = {};
    ::GetClassNameW(hwnd, cls, 32);
    if (::lstrcmpiW(cls, L"Static") == 0) {
        auto& text = *reinterpret_cast<std::wstring*>(lParam);
        const std::wstring part = WindowText(hwnd);
        if (!part.empty()) text += (text.empty() ? L"" : L"\n") + part;
    }
    return TRUE;
}

} // namespace

void PressButton(HWND dialog, int buttonId) {
    HWND button = ::GetDlgItem(dialog, buttonId);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    ::EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

DialogAnswerer::DialogAnswerer(std::wstring caption, int buttonId)
    : DialogAnswerer(std::move(caption), [buttonId](HWND dialog) { PressButton(dialog, buttonId); }) {}

DialogAnswerer::DialogAnswerer(std::wstring caption, Action action)
    : m_caption(std::move(caption)), m_action(std::move(action)), m_thread([this] { Watch(); }) {}

DialogAnswerer::~DialogAnswerer() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stop = true;
    }
    m_thread.join();
}

std::vector<SeenDialog> DialogAnswerer::Seen() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_seen;
}

void DialogAnswerer::Watch() {
    for (;;) {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            if (m_stop) return;
        }
        for (HWND dialog : TopWindowsOf(::GetCurrentProcessId())) {
            // Read without a message: GetWindowTextW would send WM_GETTEXT to
            // the test's thread, which may be waiting for this watcher to end.
            wchar_t caption[512] = {};
            ::InternalGetWindowText(dialog, caption, 512);
            if (m_caption != caption || std::find(m_handled.begin(), m_handled.end(), dialog) != m_handled.end())
                continue;
            m_handled.push_back(dialog);
            {
                std::lock_guard<std::mutex> hold(m_lock);
                m_seen.push_back({MessageBoxText(dialog)});
            }
            if (m_action) m_action(dialog);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
}

} // namespace lum::test
