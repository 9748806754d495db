#pragma once
// Records the pictures of a running saver and stores the one the user picks
// as an entry's thumbnail ("image.png", 128 x 96) and full-screen picture
// ("imageL.png", screen size).
#include "base/Scoped.h"
#include "saver/ScreenRecorder.h"
#include "saver/ScreenSaver_CL.h"
#include "toolkit/SubClassDialog.h"

#include <memory>
#include <string>

namespace lum {

constexpr int kIdRecordedList = 100;
constexpr int kIdRecordButton = 100;   // buttons report by WM_COMMAND, the list by WM_NOTIFY
constexpr int kIdSetThumbnail = 101;
constexpr int kIdCancelCapture = 102;

// The folder an entry's "image.png" lies in; empty when the path names no
// folder (an entry without one must never write at a drive's root).
std::wstring EntryFolderOfImage(const std::wstring& imagePath);

class SmallImageSelectDialog_CL : public SubClassDialogBase_CL {
public:
    explicit SmallImageSelectDialog_CL(const RecorderSettings& settings = RecorderSettings());
    ~SmallImageSelectDialog_CL() override;

    INT_PTR HandleDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    ScreenSaver_CL& Runner() { return m_Runner; }
    // Pictures the current (or last) recording has taken so far; safe from any thread.
    int RecordedFrames() const { return m_frames->load(); }
    // The recording on show, null before the first one has finished.
    const RecordingSession* ShownRecording() const { return m_pShown.get(); }

    std::wstring m_strSaverPath;
    std::wstring m_strImagePath;

private:
    void OnInit();
    void OnRecord();
    void OnRecordingDone();
    void OnSet();
    void OnClose();
    void ShowPictures();
    void ForgetPictures();
    void EnableButtons();

    ScreenSaver_CL m_Runner;
    const RecorderSettings m_settings;
    unsigned m_uRecorderThreadId = 0;
    UniqueHandle m_hRecorderThread;
    std::shared_ptr<RecordingSession> m_pRecording;  // while a recording runs
    std::shared_ptr<RecordingSession> m_pShown;      // whose pictures the list shows
    std::shared_ptr<std::atomic<int>> m_frames = std::make_shared<std::atomic<int>>(0);
    bool m_bCloseWhenDone = false;
    HWND m_hListView = nullptr;
    HWND m_hRecordButton = nullptr;
    HWND m_hSetButton = nullptr;
    HWND m_hCancelButton = nullptr;
};

} // namespace lum
