#pragma once
// What a demo saver is: a named scene with a few integer settings.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lum::demo {

// A top-down 32-bit picture, one 0x00RRGGBB value per pixel.
struct PixelCanvas {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    uint32_t* Row(int y) const { return pixels + static_cast<size_t>(y) * static_cast<size_t>(width); }
};

constexpr uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r & 255) << 16) | (static_cast<uint32_t>(g & 255) << 8) |
           static_cast<uint32_t>(b & 255);
}
inline int RedOf(uint32_t c) { return static_cast<int>((c >> 16) & 255); }
inline int GreenOf(uint32_t c) { return static_cast<int>((c >> 8) & 255); }
inline int BlueOf(uint32_t c) { return static_cast<int>(c & 255); }

// Mixes `over` onto `under`; alpha 0..256.
inline uint32_t Blend(uint32_t under, uint32_t over, int alpha) {
    const int keep = 256 - alpha;
    return Rgb((RedOf(under) * keep + RedOf(over) * alpha) >> 8, (GreenOf(under) * keep + GreenOf(over) * alpha) >> 8,
               (BlueOf(under) * keep + BlueOf(over) * alpha) >> 8);
}

class SaverScene_IF {
public:
    virtual ~SaverScene_IF() = default;
    // The drawing area, at the start and whenever it changes size.
    virtual void Resize(int width, int height) = 0;
    // Advances the animation.
    virtual void Step(double seconds) = 0;
    // Paints the whole canvas (of the size last given to Resize).
    virtual void Draw(PixelCanvas& canvas) = 0;
};

// One setting: a whole number in a range (a slider), or with `choices` an
// index into them (a drop-down list).
struct SettingDef {
    std::wstring valueName;            // registry value name
    std::wstring label;                // dialog label
    int minimum = 0;
    int maximum = 0;
    int fallback = 0;
    std::vector<std::wstring> choices;
};

struct SaverDefinition {
    std::wstring name;                 // registry key below HKCU\Software\Lumenary\Demo
    std::wstring title;                // shown in the settings dialog
    std::vector<SettingDef> settings;
    std::function<std::unique_ptr<SaverScene_IF>(const std::vector<int>& values)> create;
};

} // namespace lum::demo
