#include "toolkit/GdiPlusOwners.h"

#include "base/FileSystem.h"

#include <vector>

namespace lum {

GdipImage LoadPicture(const std::wstring& path) {
    GdipImage picture;
    if (!IsExistingFile(path)) return picture;
    if (gdip::GdipLoadImageFromFile(path.c_str(), picture.put()) != Gdiplus::Ok) picture.reset();
    return picture;
}

bool PictureSize(const GdipImage& picture, UINT& width, UINT& height) {
    width = height = 0;
    if (!picture) return false;
    if (gdip::GdipGetImageWidth(picture.get(), &width) != Gdiplus::Ok) return false;
    if (gdip::GdipGetImageHeight(picture.get(), &height) != Gdiplus::Ok) return false;
    return width > 0 && height > 0;
}

bool SaveAsPng(Gdiplus::GpImage* image, const std::wstring& path) {
    if (!image || path.empty()) return false;
    UINT count = 0, bytes = 0;
    if (gdip::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0) return false;
    std::vector<unsigned char> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (gdip::GdipGetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType && ::lstrcmpiW(encoders[i].MimeType, L"image/png") == 0)
            return gdip::GdipSaveImageToFile(image, path.c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
    }
    return false;
}

GdipBrush SolidBrush(Gdiplus::ARGB colour) {
    GdipBrush brush;
    Gdiplus::GpSolidFill* fill = nullptr;
    if (gdip::GdipCreateSolidFill(colour, &fill) == Gdiplus::Ok)
        *brush.put() = fill;  // a solid fill is a brush
    return brush;
}

std::wstring SystemGuiFontFamily() {
    LOGFONTW logFont{};
    if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof logFont, &logFont, 0) && logFont.lfFaceName[0])
        return logFont.lfFaceName;
    logFont = LOGFONTW{};
    if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont) && logFont.lfFaceName[0])
        return logFont.lfFaceName;
    return std::wstring();
}

namespace {
GdipFont NamedFont(const wchar_t* family, float points) {
    GdipFont font;
    GdipFontFamily named;
    if (family && *family && gdip::GdipCreateFontFamilyFromName(family, nullptr, named.put()) == Gdiplus::Ok && named)
        gdip::GdipCreateFont(named.get(), points, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint, font.put());
    return font;
}
} // namespace

FallbackFont::FallbackFont(const wchar_t* family, float points) : m_font(NamedFont(family, points)) {
    if (m_font) return;
    m_usedFallback = true;
    m_font = NamedFont(SystemGuiFontFamily().c_str(), points);
    if (m_font) return;
    // The generic family belongs to GDI+ and is not deleted here.
    Gdiplus::GpFontFamily* generic = nullptr;
    if (gdip::GdipGetGenericFontFamilySansSerif(&generic) == Gdiplus::Ok && generic) {
        gdip::GdipCreateFont(generic, points, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint, m_font.put());
    }
}

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok) m_token = 0;
}

GdiplusSession::~GdiplusSession() {
    if (m_token) Gdiplus::GdiplusShutdown(m_token);
}

} // namespace lum
