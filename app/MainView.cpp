#include "app/MainView.h"

#include "app/ModulePath.h"

namespace lum {

MainView_CL::MainView_CL() : m_pSelection(&TheCurrentSelection()) {}

MainView_CL::~MainView_CL() { Teardown(); }

LRESULT MainView_CL::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(hwnd);
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT MainView_CL::OnCreate(HWND hwnd) {
    m_hWnd = hwnd;
    m_pSelection->catalog = &m_catalog;
    m_catalog.module_path = QueryModulePath();
    m_catalog.settings_path = SettingsPath();
    LoadCatalog(m_catalog);
    ::ShowWindow(hwnd, SW_SHOW);
    return 0;
}

void MainView_CL::Teardown() {
    if (m_pSelection->catalog == &m_catalog) m_pSelection->catalog = nullptr;
    m_catalog = SaverCatalog();
}

} // namespace lum
