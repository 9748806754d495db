#include "tests/mainview/MainWindowFixture.h"

#include "app/MainWindowClass.h"

namespace lum::test {

void MainWindowTest::SetUp() {
    TheCurrentSelection() = CurrentSelection();
    static const ATOM registered = RegisterMainWindowClass(::GetModuleHandleW(nullptr));
    ASSERT_NE(registered, 0);
}

void MainWindowTest::TearDown() {
    if (m_hwnd && ::IsWindow(m_hwnd)) {
        ::SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
        PumpUntil([&] { return !::IsWindow(m_hwnd); }, std::chrono::milliseconds(5000));
    }
    // Swallow the WM_QUIT that the window posted on its way out.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    if (m_view) m_view->Teardown();
    m_view.reset();
}

void MainWindowTest::OpenWindow() {
    m_view = std::make_unique<MainView_CL>();
    m_view->SetSettingsPath(m_collection.catalog.settings_path);
    m_hwnd = CreateMainWindow(::GetModuleHandleW(nullptr), *m_view);
    ASSERT_NE(m_hwnd, nullptr);
    m_view->SetWindow(m_hwnd);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(m_hwnd) != FALSE; }));
    PumpFor(std::chrono::milliseconds(100));
}

void MainWindowTest::SetClientSize(int width, int height) {
    ResizeClient(width, height);
    PumpFor(std::chrono::milliseconds(50));
}

void MainWindowTest::ResizeClient(int width, int height) {
    RECT r{0, 0, width, height};
    ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)));
    ::SetWindowPos(m_hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

RECT MainWindowTest::ChildRect(HWND child) const {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring DemoSaver(const wchar_t* name) { return DistFolder() + L"\\demo\\" + name; }

} // namespace lum::test
