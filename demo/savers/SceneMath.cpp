#include "demo/savers/SceneMath.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace lum::demo {

uint32_t HsvColor(float hue, float saturation, float value) {
    hue -= std::floor(hue);
    const float h = hue * 6.0f;
    const int sector = static_cast<int>(h) % 6;
    const float f = h - std::floor(h);
    const float p = value * (1.0f - saturation);
    const float q = value * (1.0f - saturation * f);
    const float t = value * (1.0f - saturation * (1.0f - f));
    float r = value, g = t, b = p;
    switch (sector) {
    case 0: r = value; g = t; b = p; break;
    case 1: r = q; g = value; b = p; break;
    case 2: r = p; g = value; b = t; break;
    case 3: r = p; g = q; b = value; break;
    case 4: r = t; g = p; b = value; break;
    default: r = value; g = p; b = q; break;
    }
    auto byte = [](float v) { return std::clamp(static_cast<int>(v * 255.0f + 0.5f), 0, 255); };
    return Rgb(byte(r), byte(g), byte(b));
}

void AddToPixel(PixelCanvas& canvas, int x, int y, uint32_t color, int intensity) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || intensity <= 0) return;
    uint32_t& pixel = canvas.Row(y)[x];
    const int r = std::min(255, RedOf(pixel) + ((RedOf(color) * intensity) >> 8));
    const int g = std::min(255, GreenOf(pixel) + ((GreenOf(color) * intensity) >> 8));
    const int b = std::min(255, BlueOf(pixel) + ((BlueOf(color) * intensity) >> 8));
    pixel = Rgb(r, g, b);
}

uint32_t TimeSeed() {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return static_cast<uint32_t>(counter.QuadPart) ^ ::GetCurrentProcessId() * 2654435761u;
}

} // namespace lum::demo
