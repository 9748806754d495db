#pragma once
// Owners for the GDI+ flat API's objects, so that every drawing path frees
// what it created. GDI+ must be started by the program (or the test) first.
#include <windows.h>
// GDI+ headers need min/max in scope.
#include <algorithm>
namespace Gdiplus { using std::min; using std::max; }
#include <gdiplus.h>

#include <string>
#include <utility>

namespace lum {

namespace gdip = Gdiplus::DllExports;

template <typename T, Gdiplus::GpStatus(WINGDIPAPI* Free)(T*)>
class GdipOwner {
public:
    GdipOwner() noexcept = default;
    ~GdipOwner() { reset(); }
    GdipOwner(const GdipOwner&) = delete;
    GdipOwner& operator=(const GdipOwner&) = delete;
    GdipOwner(GdipOwner&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    GdipOwner& operator=(GdipOwner&& other) noexcept {
        if (this != &other) { reset(); m_p = std::exchange(other.m_p, nullptr); }
        return *this;
    }
    T* get() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    T** put() noexcept { reset(); return &m_p; }
    void reset() noexcept { if (T* p = std::exchange(m_p, nullptr)) Free(p); }
private:
    T* m_p = nullptr;
};

using GdipGraphics = GdipOwner<Gdiplus::GpGraphics, &gdip::GdipDeleteGraphics>;
using GdipImage = GdipOwner<Gdiplus::GpImage, &gdip::GdipDisposeImage>;
using GdipBrush = GdipOwner<Gdiplus::GpBrush, &gdip::GdipDeleteBrush>;
using GdipFont = GdipOwner<Gdiplus::GpFont, &gdip::GdipDeleteFont>;
using GdipFontFamily = GdipOwner<Gdiplus::GpFontFamily, &gdip::GdipDeleteFontFamily>;

// A picture file; empty when it is missing or cannot be decoded.
GdipImage LoadPicture(const std::wstring& path);
// Width and height in pixels; false for an empty or broken picture.
bool PictureSize(const GdipImage& picture, UINT& width, UINT& height);

GdipBrush SolidBrush(Gdiplus::ARGB colour);

// Saves a GDI+ bitmap (or any image) as a PNG file through the system's
// "image/png" encoder; false when the encoder is missing or the write failed.
bool SaveAsPng(Gdiplus::GpImage* image, const std::wstring& path);

// The face name of the system's GUI font: the icon-title font, else the
// stock DEFAULT_GUI_FONT; empty if neither can be read.
std::wstring SystemGuiFontFamily();

// A font of the given family and size in points. When the family is not
// installed, the system's GUI font family is used instead, and failing that
// GDI+'s generic sans-serif family (which a system without the usual fonts
// may lack, so it comes last).
class FallbackFont {
public:
    FallbackFont(const wchar_t* family, float points);
    Gdiplus::GpFont* get() const noexcept { return m_font.get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(m_font); }
    bool UsedFallback() const noexcept { return m_usedFallback; }
private:
    GdipFont m_font;
    bool m_usedFallback = false;
};

// Starts GDI+ for one scope (the program's start-up, a test, a tool).
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool ok() const noexcept { return m_token != 0; }
private:
    ULONG_PTR m_token = 0;
};

} // namespace lum
