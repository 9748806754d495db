#include "views/SaverPreviewTabWindow.h"

#include "base/FileSystem.h"
#include "store/SaverCatalog.h"
#include "base/Scoped.h"
#include "views/PreviewPainter.h"

#include <commctrl.h>

namespace lum {

namespace {

constexpr DWORD kViewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

} // namespace

ScreenSaverBaseView_CL::~ScreenSaverBaseView_CL() { m_runner.Stop(); }

PreviewContent ScreenSaverBaseView_CL::Content() const {
    const SaverItem* item = m_pCurrentItem;
    if (!item || item->scr.empty()) return PreviewContent::NothingSelected;
    const bool pictureExists = IsExistingFile(LargePicturePath(item->image));
    const bool saverExists = item->large_image != 0 ? true : IsExistingFile(SaverProgramFor(*item));
    return ChoosePreviewContent(item, pictureExists, saverExists);
}

void ScreenSaverBaseView_CL::PaintContent(HDC hdc) {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const PreviewContent content = Content();
    switch (content) {
    case PreviewContent::LiveSaver: {
        // The saver's own window covers this; until it shows (and where a
        // platform does not show another process's child) the view is dark
        // rather than keeping whatever it showed before.
        UniqueBrush dark(::CreateSolidBrush(RGB(0, 0, 0)));
        ::FillRect(hdc, &client, dark.get());
        return;
    }
    case PreviewContent::StillPicture:
        if (PaintStillPicture(hdc, client, LargePicturePath(m_pCurrentItem->image))) return;
        // A file that is there but cannot be decoded is as good as missing.
        PaintNotice(hdc, client, PreviewNoticeText(PreviewContent::PictureMissing),
                    LargePicturePath(m_pCurrentItem->image), nullptr);
        return;
    default: {
        std::wstring detail;
        if (content == PreviewContent::PictureMissing) detail = LargePicturePath(m_pCurrentItem->image);
        if (content == PreviewContent::SaverMissing) detail = SaverProgramFor(*m_pCurrentItem);
        HWND parent = ::GetParent(m_hWnd);
        HFONT font = parent ? reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)) : nullptr;
        PaintNotice(hdc, client, PreviewNoticeText(content), detail, font);
        return;
    }
    }
}

LRESULT ScreenSaverBaseView_CL::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PaintScope paint(hwnd);
        if (paint.dc()) PaintContent(paint.dc());
        return 1;
    }
    case WM_PRINTCLIENT:
        if (wParam) PaintContent(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        // The content paints every pixel; erasing first only flickers.
        return 1;
    case WM_CONTEXTMENU:
        if (m_hNotify) ::PostMessageW(m_hNotify, kMsgPreviewContextMenu, wParam, lParam);
        return 1;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SIZE: {
        // The picture and the notices are laid out on the whole view.
        const LRESULT result = SubClassWindowBase_CL::HandleMessage(hwnd, message, wParam, lParam);
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    default:
        break;
    }
    return SubClassWindowBase_CL::HandleMessage(hwnd, message, wParam, lParam);
}

HWND SaverPreviewTabWindow_CL::CreateAndSubclass(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                                                 DWORD style, int x, int y, int width, int height, HWND parent,
                                                 HMENU menuOrId, HINSTANCE instance, void* param) {
    HWND tabs = SubClassWindowBase_CL::CreateAndSubclass(exStyle, className, windowName, style, x, y, width, height,
                                                         parent, menuOrId, instance, param);
    if (!tabs) return nullptr;
    HWND view = m_view.CreateAndSubclass(0, L"Static", L"", kViewStyle, 0, 0, 500, 300, tabs,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdPreviewView)), instance,
                                         nullptr);
    if (view) {
        const LONG_PTR exView = ::GetWindowLongPtrW(view, GWL_EXSTYLE);
        ::SetWindowLongPtrW(view, GWL_EXSTYLE, exView & ~static_cast<LONG_PTR>(WS_EX_NOPARENTNOTIFY));
        ::SetFocus(view);
    }
    return tabs;
}

LRESULT SaverPreviewTabWindow_CL::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = SubClassWindowBase_CL::HandleMessage(hwnd, message, wParam, lParam);
    if (message == WM_SIZE) {
        RECT area{};
        ::GetClientRect(hwnd, &area);
        ::SendMessageW(hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        const int width = area.right - area.left;
        const int height = area.bottom - area.top;
        if (m_hBrowserHost) ::MoveWindow(m_hBrowserHost, area.left, area.top, width, height, TRUE);
        if (HWND view = m_view.Window()) ::MoveWindow(view, area.left, area.top, width, height, TRUE);
    }
    return result;
}

} // namespace lum
