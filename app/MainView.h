#pragma once
#include "app/CurrentSelection.h"
#include "store/SaverCatalog.h"

#include <windows.h>

namespace lum {

// The one object behind the main window: owns the collection and the panes
// for the whole run and handles every message of the main window.
class MainView_CL {
public:
    MainView_CL();
    virtual ~MainView_CL();
    MainView_CL(const MainView_CL&) = delete;
    MainView_CL& operator=(const MainView_CL&) = delete;

    virtual LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Stops what the view started and frees the collection; after the loop.
    void Teardown();

    void SetWindow(HWND hwnd) { m_hWnd = hwnd; }
    HWND Window() const { return m_hWnd; }
    SaverCatalog& Catalog() { return m_catalog; }

private:
    LRESULT OnCreate(HWND hwnd);

    CurrentSelection* m_pSelection;
    HWND m_hWnd = nullptr;
    SaverCatalog m_catalog;
};

} // namespace lum
