#pragma once
// Small helpers the scenes share: a repeatable random source and colours.
#include "demo/savers/SaverScene.h"

#include <cstdint>

namespace lum::demo {

// xorshift32: the same seed gives the same scene, which tests rely on.
class SceneRandom {
public:
    explicit SceneRandom(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // Uniform in [low, high).
    float Between(float low, float high) {
        return low + (high - low) * static_cast<float>(Next() >> 8) / static_cast<float>(1u << 24);
    }

private:
    uint32_t m_state;
};

// hue, saturation and value in [0, 1]; hue wraps.
uint32_t HsvColor(float hue, float saturation, float value);

// Adds `color` scaled by intensity (0..256) to the pixel, saturating.
void AddToPixel(PixelCanvas& canvas, int x, int y, uint32_t color, int intensity);

// A seed that differs from run to run.
uint32_t TimeSeed();

} // namespace lum::demo
