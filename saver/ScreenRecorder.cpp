#include "saver/ScreenRecorder.h"

#include <imm.h>
#include <process.h>

#include <algorithm>

namespace lum {

POINT ProbePoint(const RECT& dialog, const RECT& monitor) {
    RECT visible{};
    if (!::IntersectRect(&visible, &dialog, &monitor)) visible = monitor;
    const LONG x = std::min(visible.left + 8, std::max(visible.left, visible.right - 1));
    const LONG y = std::min(visible.top + 8, std::max(visible.top, visible.bottom - 1));
    return POINT{x, y};
}

bool CoversDialog(HWND rootAtPoint, DWORD windowProcessId, HWND dialog, DWORD ownProcessId) {
    return rootAtPoint != nullptr && rootAtPoint != dialog && windowProcessId != ownProcessId;
}

namespace {

// A 16-bit 5-6-5 bitmap: half the memory of a 32-bit one.
UniqueBitmap MakeRgb565Bitmap(HDC dc, int width, int height) {
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 16;
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
    void* bits = nullptr;
    return UniqueBitmap(::CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                           nullptr, 0));
}

// The window at the probe point, as its top-level ancestor.
HWND RootAt(POINT probe) {
    HWND at = ::WindowFromPoint(probe);
    return at ? ::GetAncestor(at, GA_ROOT) : nullptr;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    if (window) ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

// Sends with a time-out: the input method window belongs to the saver, a
// program that may hang.
void SendImeControl(HWND imeWindow, WPARAM command) {
    if (!imeWindow) return;
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(imeWindow, WM_IME_CONTROL, command, 0, SMTO_ABORTIFHUNG, 500, &ignored);
}

bool Stopped(const RecordingSession& session, DWORD waitMs) {
    return ::WaitForSingleObject(session.stopEvent.get(), waitMs) == WAIT_OBJECT_0;
}

HWND WaitForCover(RecordingSession& session, POINT probe) {
    const DWORD ownPid = ::GetCurrentProcessId();
    const ULONGLONG start = ::GetTickCount64();
    while (session.saverReady && !session.saverReady()) {
        if (::GetTickCount64() - start >= session.settings.capMs) return nullptr;
        if (Stopped(session, session.settings.coverPollMs)) return nullptr;
    }
    for (int poll = 0; poll < session.settings.coverPolls; ++poll) {
        if (Stopped(session, session.settings.coverPollMs)) return nullptr;
        HWND root = RootAt(probe);
        if (CoversDialog(root, ProcessOf(root), session.dialog, ownPid)) return root;
    }
    return nullptr;
}

void Record(RecordingSession& session) {
    RECT dialog{};
    ::GetWindowRect(session.dialog, &dialog);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(session.dialog, MONITOR_DEFAULTTONEAREST), &monitor))
        monitor.rcMonitor = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const POINT probe = ProbePoint(dialog, monitor.rcMonitor);

    HWND saver = WaitForCover(session, probe);
    if (!saver) {
        ::PostMessageW(session.dialog, UM_RECORDING_DONE, 0, 0);
        return;
    }
    HWND ime = ::ImmGetDefaultIMEWnd(saver);
    SendImeControl(ime, IMC_CLOSESTATUSWINDOW);

    // Pictures follow a fixed beat, so that the labels' "n seconds before"
    // hold however long a capture takes; a late beat is not caught up.
    const ULONGLONG start = ::GetTickCount64();
    ULONGLONG beat = start;
    const bool keepFull = session.ring.KeepFull() > 0;
    for (;;) {
        if (RootAt(probe) != saver) break;
        if (CapturePicture(session.ring, keepFull)) ++*session.frames;
        const ULONGLONG now = ::GetTickCount64();
        if (now - start >= session.settings.capMs) break;
        beat = std::max(beat + session.settings.intervalMs, now);
        if (Stopped(session, static_cast<DWORD>(beat - now))) break;
    }
    ::PostMessageW(session.dialog, UM_RECORDING_DONE, 0, 0);
    SendImeControl(ime, IMC_OPENSTATUSWINDOW);
}

unsigned __stdcall RecorderThread(void* argument) {
    std::unique_ptr<std::shared_ptr<RecordingSession>> held(static_cast<std::shared_ptr<RecordingSession>*>(argument));
    try {
        Record(**held);
    } catch (...) {
        ::PostMessageW((*held)->dialog, UM_RECORDING_DONE, 0, 0);
    }
    return 0;
}

} // namespace

bool CapturePicture(PictureRing& ring, bool full) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    WindowDC screen(nullptr);
    if (!screen) return false;
    UniqueMemoryDC thumbDc(::CreateCompatibleDC(screen.get()));
    UniqueBitmap thumb = MakeRgb565Bitmap(screen.get(), kThumbWidth, kThumbHeight);
    if (!thumbDc || !thumb) return false;

    // The full picture is taken first and the thumbnail shrunk from it, so
    // that both show the same moment; without one the screen is shrunk.
    UniqueBitmap picture = full ? MakeRgb565Bitmap(screen.get(), width, height) : UniqueBitmap();
    UniqueMemoryDC fullDc(picture ? ::CreateCompatibleDC(screen.get()) : nullptr);
    if (!fullDc) picture.reset();
    HDC source = screen.get();
    bool shrunk = false;
    {
        SelectScope selected(fullDc.get(), picture.get());
        if (picture && ::BitBlt(fullDc.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY))
            source = fullDc.get();
        SelectScope thumbSelected(thumbDc.get(), thumb.get());
        ::SetStretchBltMode(thumbDc.get(), HALFTONE);
        ::SetBrushOrgEx(thumbDc.get(), 0, 0, nullptr);
        shrunk = ::StretchBlt(thumbDc.get(), 0, 0, kThumbWidth, kThumbHeight, source, 0, 0, width, height,
                              SRCCOPY) != FALSE;
    }
    // Both are out of their DCs now and may be deleted.
    if (!shrunk) return false;
    if (source != fullDc.get()) picture.reset();
    return ring.Store(thumb.get(), std::move(picture));
}

RecordingSession::RecordingSession(HWND dialogWindow, const RecorderSettings& recorderSettings)
    : dialog(dialogWindow),
      settings(recorderSettings),
      ring(recorderSettings.ringSize,
           FullPicturesWithinBudget(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                    recorderSettings.ringSize, recorderSettings.fullPictureBudget)),
      stopEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

UniqueHandle StartRecorder(const std::shared_ptr<RecordingSession>& session, unsigned* threadId) {
    if (!session || !session->stopEvent) return UniqueHandle();
    auto argument = std::make_unique<std::shared_ptr<RecordingSession>>(session);
    const uintptr_t thread = ::_beginthreadex(nullptr, 0, &RecorderThread, argument.get(), 0, threadId);
    if (thread == 0) return UniqueHandle();
    argument.release();  // the thread owns it now
    return UniqueHandle(reinterpret_cast<HANDLE>(thread));
}

} // namespace lum
