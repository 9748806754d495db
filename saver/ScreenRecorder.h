#pragma once
// Records the screen while a full-screen saver covers a dialog: a worker
// thread takes a picture every interval into a ring, until the saver has
// gone from the probe point, the stop event is set or the cap is reached,
// then posts the finished message to the dialog. The worker never sends to
// a window that could be waiting for it.
#include "base/Scoped.h"
#include "saver/PictureRing.h"
#include "saver/ThumbnailRing.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

namespace lum {

constexpr UINT UM_RECORDING_DONE = 0x0800;

// Where to look for the saver: the dialog's top left plus (8, 8), kept
// inside the part of the dialog the monitor shows (a dialog partly off
// screen still works); the monitor's corner when none of it shows.
POINT ProbePoint(const RECT& dialog, const RECT& monitor);

// Whether the window found at the probe point (its top-level ancestor)
// covers the dialog: null is nothing, and neither the dialog nor another
// window of our own process is a saver.
bool CoversDialog(HWND rootAtPoint, DWORD windowProcessId, HWND dialog, DWORD ownProcessId);

// Copies the screen into a fresh full-size picture (unless `full` is false
// or memory runs out) and a 128 x 96 thumbnail of the same moment, and
// stores both in the ring. False when the frame had to be skipped.
bool CapturePicture(PictureRing& ring, bool full);

// What the dialog and its worker share for one recording. The worker holds
// its own reference, so a worker that outlives its dialog harms nothing.
struct RecordingSession {
    RecordingSession(HWND dialog, const RecorderSettings& settings);

    const HWND dialog;
    const RecorderSettings settings;
    PictureRing ring;           // written by the worker until it has posted
    UniqueHandle stopEvent;     // set to end the recording early
    std::function<bool()> saverReady;  // set before the worker starts; true once the saver is up
    // Pictures taken so far; shared with whoever watches the recording.
    std::shared_ptr<std::atomic<int>> frames = std::make_shared<std::atomic<int>>(0);
};

// Starts the worker; null when no thread could be made.
UniqueHandle StartRecorder(const std::shared_ptr<RecordingSession>& session, unsigned* threadId);

} // namespace lum
