#include "tests/support/Pixels.h"

#include "base/Scoped.h"

#include <cstdlib>

namespace lum::test {

Pixels DrawnPixels(int width, int height, uint32_t background, const std::function<void(HDC)>& draw) {
    Pixels pixels;
    if (width <= 0 || height <= 0) return pixels;
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height /* top-down */, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    UniqueMemoryDC memory(::CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return pixels;
    {
        SelectScope use(memory.get(), bitmap.get());
        RECT all{0, 0, width, height};
        UniqueBrush fill(::CreateSolidBrush(RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF)));
        ::FillRect(memory.get(), &all, fill.get());
        draw(memory.get());
        ::GdiFlush();
    }
    pixels.width = width;
    pixels.height = height;
    const auto* p = static_cast<const uint32_t*>(bits);
    pixels.data.assign(p, p + static_cast<size_t>(width) * static_cast<size_t>(height));
    for (auto& v : pixels.data) v &= 0x00FFFFFF;
    return pixels;
}

Pixels PrintClient(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    return DrawnPixels(client.right, client.bottom, 0x123456, [&](HDC dc) {
        ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    });
}

Pixels CaptureClientFromScreen(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ::ClientToScreen(hwnd, &origin);
    WindowDC screen(nullptr);
    return DrawnPixels(client.right, client.bottom, 0x123456, [&](HDC dc) {
        ::BitBlt(dc, 0, 0, client.right, client.bottom, screen.get(), origin.x, origin.y, SRCCOPY);
    });
}

uint32_t Rgb(COLORREF colour) {  // 0x00BBGGRR: red and blue change places
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance) return false;
    }
    return true;
}

bool HasInk(const Pixels& pixels, const RECT& area, uint32_t background) {
    for (int y = area.top; y < area.bottom && y < pixels.height; ++y)
        for (int x = area.left; x < area.right && x < pixels.width; ++x)
            if (!Near(pixels.at(x, y), background, 40)) return true;
    return false;
}

} // namespace lum::test
