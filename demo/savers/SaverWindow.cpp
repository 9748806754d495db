#include "demo/savers/SaverWindow.h"

#include "demo/savers/SaverSettings.h"
#include "base/Scoped.h"

#include <commctrl.h>

namespace lum::demo {

namespace {

const wchar_t kWindowClass[] = L"LumenaryDemoSaverWindow";
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameMs = 33;  // about 30 frames a second

// A DIB section the scene paints into, selected into a memory DC.
class BackBuffer {
public:
    ~BackBuffer() { Release(); }
    bool Ensure(HDC reference, int width, int height) {
        if (m_dc && width == m_canvas.width && height == m_canvas.height) return true;
        Release();
        if (width <= 0 || height <= 0) return false;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.reset(::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_dc.reset(::CreateCompatibleDC(reference));
        if (!m_bitmap || !m_dc || !bits) {
            Release();
            return false;
        }
        m_old = ::SelectObject(m_dc.get(), m_bitmap.get());
        m_canvas = PixelCanvas{static_cast<uint32_t*>(bits), width, height};
        return true;
    }
    PixelCanvas& Canvas() { return m_canvas; }
    HDC Dc() const { return m_dc.get(); }

private:
    void Release() {
        if (m_dc && m_old) ::SelectObject(m_dc.get(), m_old);
        m_old = nullptr;
        m_dc.reset();
        m_bitmap.reset();
        m_canvas = PixelCanvas{};
    }
    UniqueMemoryDC m_dc;
    UniqueBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
    PixelCanvas m_canvas;
};

struct SaverWindowState {
    const SaverDefinition* saver = nullptr;
    std::unique_ptr<SaverScene_IF> scene;
    SaverRun run = SaverRun::FullScreen;
    HWND parent = nullptr;
    MouseMoveFilter mouse;
    BackBuffer buffer;
    int width = 0;
    int height = 0;
    ULONGLONG lastTick = 0;
};

SaverWindowState* StateOf(HWND window) {
    return reinterpret_cast<SaverWindowState*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Paint(HWND window, SaverWindowState& state) {
    PaintScope paint(window);
    if (!state.buffer.Ensure(paint.dc(), state.width, state.height)) return;
    state.scene->Draw(state.buffer.Canvas());
    ::BitBlt(paint.dc(), 0, 0, state.width, state.height, state.buffer.Dc(), 0, 0, SRCCOPY);
}

void OnFrame(HWND window, SaverWindowState& state) {
    if (state.run == SaverRun::Preview) {
        // The preview ends with its host, even if nobody tells us.
        if (!::IsWindow(state.parent)) {
            ::DestroyWindow(window);
            return;
        }
        RECT host{};
        ::GetClientRect(state.parent, &host);
        if (host.right != state.width || host.bottom != state.height)
            ::MoveWindow(window, 0, 0, host.right, host.bottom, TRUE);
    }
    const ULONGLONG now = ::GetTickCount64();
    double seconds = static_cast<double>(now - state.lastTick) / 1000.0;
    state.lastTick = now;
    if (seconds > 0.1) seconds = 0.1;  // after a stall, do not jump
    state.scene->Step(seconds);
    ::InvalidateRect(window, nullptr, FALSE);
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SaverWindowState* state = StateOf(window);
    if (!state) return ::DefWindowProcW(window, message, wParam, lParam);
    const bool full = state->run == SaverRun::FullScreen;
    switch (message) {
    case WM_CREATE:
        state->lastTick = ::GetTickCount64();
        ::SetTimer(window, kFrameTimer, kFrameMs, nullptr);
        return 0;
    case WM_SIZE:
        state->width = LOWORD(lParam);
        state->height = HIWORD(lParam);
        state->scene->Resize(state->width, state->height);
        return 0;
    case WM_TIMER:
        if (wParam == kFrameTimer) OnFrame(window, *state);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(window, *state);
        return 0;
    case WM_SETCURSOR:
        if (full) {
            ::SetCursor(nullptr);
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (full && state->mouse.EndsSaver(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}))
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (full) ::PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        ::KillTimer(window, kFrameTimer);
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        ::DestroyWindow(window);
        return 0;
    }
}

bool RegisterSaverClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &SaverWindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

int RunSaverWindow(const SaverDefinition& saver, SaverRun run, HWND parent) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!RegisterSaverClass(instance)) return 1;
    SaverWindowState state;
    state.saver = &saver;
    state.run = run;
    state.parent = parent;
    state.scene = saver.create(LoadSettings(saver));
    if (!state.scene) return 1;

    HWND window = nullptr;
    if (run == SaverRun::Preview) {
        RECT host{};
        if (!::GetClientRect(parent, &host)) return 1;
        window = ::CreateWindowExW(0, kWindowClass, saver.title.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, host.right,
                                   host.bottom, parent, nullptr, instance, &state);
    } else {
        const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
        const int w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
        window = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWindowClass, saver.title.c_str(),
                                   WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr, instance, &state);
        if (window) ::SetForegroundWindow(window);
    }
    if (!window) return 1;

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

int RunSaver(const SaverDefinition& saver, const std::wstring& commandLine) {
    const SaverArgs args = ParseSaverCommandLine(commandLine);
    switch (args.run) {
    case SaverRun::FullScreen:
    case SaverRun::Preview:
        return RunSaverWindow(saver, args.run, args.window);
    case SaverRun::Config:
        ShowSettingsDialog(saver, args.window && ::IsWindow(args.window) ? args.window : nullptr);
        return 0;
    case SaverRun::None:
    default:
        return 0;
    }
}

} // namespace lum::demo
