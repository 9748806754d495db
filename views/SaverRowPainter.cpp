#include "views/SaverRowPainter.h"

#include "views/SaverListPlan.h"

namespace lum {

namespace {

Gdiplus::ARGB OpaqueSystemColour(int index) {
    const COLORREF c = ::GetSysColor(index);
    return 0xFF000000u | (static_cast<Gdiplus::ARGB>(GetRValue(c)) << 16) |
           (static_cast<Gdiplus::ARGB>(GetGValue(c)) << 8) | GetBValue(c);
}

void FillBox(Gdiplus::GpGraphics* graphics, Gdiplus::ARGB colour, const BoxF& box) {
    GdipBrush brush = SolidBrush(colour);
    if (brush) gdip::GdipFillRectangle(graphics, brush.get(), box.x, box.y, box.width, box.height);
}

void DrawRowString(Gdiplus::GpGraphics* graphics, const std::wstring& text, const FallbackFont& font,
              Gdiplus::ARGB colour, const BoxF& box) {
    GdipBrush brush = SolidBrush(colour);
    if (!brush || !font) return;
    const Gdiplus::RectF layout(box.x, box.y, box.width, box.height);
    gdip::GdipDrawString(graphics, text.c_str(), static_cast<INT>(text.size()), font.get(), &layout, nullptr,
                         brush.get());
}

void DrawFrame(Gdiplus::GpGraphics* graphics, const RECT& item) {
    GdipBrush brush = SolidBrush(OpaqueSystemColour(COLOR_HIGHLIGHT));
    if (!brush) return;
    const INT w = item.right - item.left;
    const INT h = item.bottom - item.top;
    const INT f = kRowFrameWidth;
    gdip::GdipFillRectangleI(graphics, brush.get(), item.left, item.top, w, f);
    gdip::GdipFillRectangleI(graphics, brush.get(), item.left, item.bottom - f, w, f);
    gdip::GdipFillRectangleI(graphics, brush.get(), item.left, item.top, f, h);
    gdip::GdipFillRectangleI(graphics, brush.get(), item.right - f, item.top, f, h);
}

} // namespace

FallbackFont MakeRowFont() { return FallbackFont(L"MS UI Gothic", 10.0f); }

void DrawEmptyRow(HDC hdc, const RECT& item) {
    ::FillRect(hdc, &item, ::GetSysColorBrush(COLOR_WINDOW));
}

void DrawSaverRow(HDC hdc, const RECT& item, const SaverItem& entry, bool selected, const FallbackFont& font,
                  ThumbnailCache& thumbnails) {
    // The list does not erase a row before it is drawn again; without this a
    // frame would stay behind when the selection moves on.
    DrawEmptyRow(hdc, item);

    GdipGraphics graphics;
    if (gdip::GdipCreateFromHDC(hdc, graphics.put()) != Gdiplus::Ok) return;
    // The text box reaches 4 pixels past the row; the next row is not ours.
    gdip::GdipSetClipRectI(graphics.get(), item.left, item.top, item.right - item.left, item.bottom - item.top,
                           Gdiplus::CombineModeReplace);

    const KeptThumbnail thumbnail = thumbnails.Get(entry.image);
    if (thumbnail.picture) {
        const POINT origin = RowThumbnailOrigin(item);
        gdip::GdipDrawImageRectI(graphics.get(), thumbnail.picture, origin.x, origin.y,
                                 static_cast<INT>(thumbnail.width), static_cast<INT>(thumbnail.height));
    }

    FillBox(graphics.get(), selected ? kRowSelectedBoxColour : kRowTextBoxColour, RowTextBox(item));
    const BoxF layout = RowTextLayout(item);
    DrawRowString(graphics.get(), RowText(entry.title, entry.note), font, kRowNoteColour, layout);
    DrawRowString(graphics.get(), RowHeading(entry.title), font, kRowTitleColour, layout);

    if (selected) DrawFrame(graphics.get(), item);
}

} // namespace lum
