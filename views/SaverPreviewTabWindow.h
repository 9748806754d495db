#pragma once
// The right pane: a tab control holding the browser host and the preview
// view in the same place. The view shows the selected entry's live saver
// (as the saver's own child window), its large still picture, or a short
// notice when there is nothing to run.
#include "saver/ScreenSaver_CL.h"
#include "base/SaverItem.h"
#include "toolkit/SubClassWindow.h"
#include "views/PreviewPlan.h"
#include "base/Messages.h"

#include <windows.h>

#include <string>

namespace lum {

class ScreenSaverBaseView_CL : public SubClassWindowBase_CL {
public:
    ScreenSaverBaseView_CL() = default;
    ~ScreenSaverBaseView_CL() override;  // stops the runner's saver

    // The selection's current item; the view paints from it (may be null).
    void SetCurrentItem(const SaverItem* item) { m_pCurrentItem = item; }
    const SaverItem* CurrentItem() const { return m_pCurrentItem; }
    // The window told of a context menu request (kMsgPreviewContextMenu).
    void SetNotifyWindow(HWND window) { m_hNotify = window; }
    ScreenSaver_CL& Runner() { return m_runner; }

    // What a paint would show now.
    PreviewContent Content() const;

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Paints every pixel of the view: notice, still picture, or the dark
    // ground that a live saver draws over.
    void PaintContent(HDC hdc);

    const SaverItem* m_pCurrentItem = nullptr;
    HWND m_hNotify = nullptr;
    ScreenSaver_CL m_runner;
};

class SaverPreviewTabWindow_CL : public SubClassWindowBase_CL {
public:
    SaverPreviewTabWindow_CL() = default;

    // Creates the tab control with these arguments, then the preview view
    // (id 604) inside it, and gives the view the keyboard focus.
    HWND CreateAndSubclass(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x,
                           int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                           void* param) override;

    void SetBrowserHost(HWND host) { m_hBrowserHost = host; }
    HWND BrowserHost() const { return m_hBrowserHost; }
    HWND PreviewWindow() const { return m_view.Window(); }
    ScreenSaverBaseView_CL& View() { return m_view; }

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND m_hBrowserHost = nullptr;
    ScreenSaverBaseView_CL m_view;
};

} // namespace lum
