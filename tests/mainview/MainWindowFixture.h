#pragma once
// A real main window in the test process, over a collection in a temp folder.
#include "app/MainView.h"
#include "tests/support/PaneTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace lum::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window over what is on disk and waits until it shows.
    void OpenWindow();
    // Resizes the window so that its client area is width × height.
    void SetClientSize(int width, int height);
    // The same without handling any message afterwards (timers stay pending).
    void ResizeClient(int width, int height);
    RECT ChildRect(HWND child) const;  // in main-window client coordinates

    GdiplusSession m_gdiplus;
    TestCollection m_collection;
    std::unique_ptr<MainView_CL> m_view;
    HWND m_hwnd = nullptr;
};

std::wstring DemoSaver(const wchar_t* name);

} // namespace lum::test
