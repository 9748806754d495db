#include "views/PreviewPainter.h"

#include "base/Scoped.h"
#include "toolkit/GdiPlusOwners.h"

namespace lum {

bool PaintStillPicture(HDC hdc, const RECT& client, const std::wstring& picturePath) {
    GdipImage picture = LoadPicture(picturePath);
    UINT width = 0, height = 0;
    if (!PictureSize(picture, width, height)) return false;
    const int viewWidth = client.right - client.left;
    const int viewHeight = client.bottom - client.top;
    const StillPicturePlacement place = PlaceStillPicture(viewWidth, viewHeight, width, height);
    if (!place.drawable) return false;

    GdipGraphics graphics;
    if (gdip::GdipCreateFromHDC(hdc, graphics.put()) != Gdiplus::Ok) return false;
    GdipBrush white = SolidBrush(0xFFFFFFFF);
    if (white && place.topBand > 0)
        gdip::GdipFillRectangleI(graphics.get(), white.get(), client.left, client.top, viewWidth, place.topBand);
    if (white && place.bottomBand > 0)
        gdip::GdipFillRectangleI(graphics.get(), white.get(), client.left, client.top + place.bottomBandTop,
                                 viewWidth, place.bottomBand);
    // Mirrored tiling at the edges: scaling would otherwise blend the
    // picture's outer pixels with the transparent outside.
    Gdiplus::GpImageAttributes* attributes = nullptr;
    if (gdip::GdipCreateImageAttributes(&attributes) == Gdiplus::Ok)
        gdip::GdipSetImageAttributesWrapMode(attributes, Gdiplus::WrapModeTileFlipXY, 0, FALSE);
    gdip::GdipDrawImageRectRectI(graphics.get(), picture.get(), client.left, client.top + place.top, viewWidth,
                                 static_cast<INT>(place.height), 0, 0, static_cast<INT>(width),
                                 static_cast<INT>(height), Gdiplus::UnitPixel, attributes, nullptr, nullptr);
    if (attributes) gdip::GdipDisposeImageAttributes(attributes);
    return true;
}

void PaintNotice(HDC hdc, const RECT& client, const std::wstring& message, const std::wstring& detail, HFONT font) {
    UniqueBrush background(::CreateSolidBrush(kNoticeBackground));
    ::FillRect(hdc, &client, background ? background.get() : ::GetSysColorBrush(COLOR_WINDOW));

    SelectScope useFont(hdc, font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(hdc, kNoticeText);

    std::wstring text = message;
    if (!detail.empty()) text += L"\n\n" + detail;
    RECT box = client;
    ::InflateRect(&box, -16, -16);
    const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
    // Measure first so that the block of lines sits in the middle.
    RECT measured = box;
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    const int textHeight = measured.bottom - measured.top;
    const int spare = (box.bottom - box.top) - textHeight;
    if (spare > 0) box.top += spare / 2;
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &box, format);

    ::SetTextColor(hdc, oldColour);
    ::SetBkMode(hdc, oldMode);
}

} // namespace lum
