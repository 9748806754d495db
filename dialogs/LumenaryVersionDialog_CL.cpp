#include "dialogs/LumenaryVersionDialog_CL.h"

#include "base/Scoped.h"
#include "toolkit/GdiPlusOwners.h"

namespace lum {

LumenaryVersionDialog_CL::LumenaryVersionDialog_CL()
    : m_ModulePath(QueryModulePath()), m_picturePath(m_ModulePath.folder + L"\\" + kVersionPictureName) {}

INT_PTR LumenaryVersionDialog_CL::HandleDialogMessage(HWND hwnd, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(hwnd);
        return 1;
    case WM_PAINT:
        Paint(hwnd);
        return 1;
    case WM_CLOSE:
        ::EndDialog(hwnd, 0);
        return 0;
    default:
        return 0;
    }
}

void LumenaryVersionDialog_CL::OnInitDialog(HWND hwnd) {
    ::SetWindowTextW(hwnd, L"バージョン表示");
    m_Factory.AddStaticText(kVersionText, 0, 0, hwnd);
    m_Factory.AddStaticText(L"\u3000\u3000\u3000", 0, 0, hwnd);
    m_Factory.StackControls(1, 8, kVersionTextTop, 4);
    ::MoveWindow(hwnd, 0, 0, kVersionDialogWidth, kVersionDialogHeight, FALSE);
    CenterOverOwner(::GetWindow(hwnd, GW_OWNER), hwnd);
    ::ShowWindow(hwnd, SW_SHOW);
}

void LumenaryVersionDialog_CL::Paint(HWND hwnd) const {
    PaintScope paint(hwnd);
    // Loaded at each paint: a picture replaced while the dialog is open shows.
    const GdipImage picture = LoadPicture(m_picturePath);
    UINT width = 0;
    UINT height = 0;
    if (!PictureSize(picture, width, height)) return;
    GdipGraphics graphics;
    if (gdip::GdipCreateFromHDC(paint.dc(), graphics.put()) != Gdiplus::Ok) return;
    gdip::GdipDrawImageRect(graphics.get(), picture.get(), 0.0f, 0.0f, static_cast<float>(width),
                            static_cast<float>(height));
}

} // namespace lum
