#pragma once
// Answers the modal dialogs and message boxes that the code under test
// opens on the test's own thread: a watcher thread finds each window of the
// given caption in this process, hands it to an action and remembers what
// it saw. Modal loops run on the test thread, so the watcher must not.
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lum::test {

struct SeenDialog {
    std::wstring text;  // the message box's text (its static control), if any
};

class DialogAnswerer {
public:
    // Runs on the watcher thread for each matching window, once per window.
    using Action = std::function<void(HWND dialog)>;

    // Presses the button `buttonId` (IDOK, IDYES, ...) of every window with
    // this caption until the answerer is destroyed.
    DialogAnswerer(std::wstring caption, int buttonId);
    DialogAnswerer(std::wstring caption, Action action);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    std::vector<SeenDialog> Seen() const;
    size_t Count() const { return Seen().size(); }

private:
    void Watch();

    std::wstring m_caption;
    Action m_action;
    mutable std::mutex m_lock;
    std::vector<SeenDialog> m_seen;
    std::vector<HWND> m_handled;
    bool m_stop = false;
    std::thread m_thread;
};

// Presses a dialog's button as a click would (posted, so a modal loop
// finishes on its own thread).
void PressButton(HWND dialog, int buttonId);
// The texts of a message box's static controls, joined by line feeds.
std::wstring MessageBoxText(HWND box);

} // namespace lum::test
