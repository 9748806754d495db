#pragma once
// Soap bubbles drifting up through water.
#include "demo/savers/SaverScene.h"

#include <cstdint>
#include <vector>

namespace lum::demo {

struct BubblesOptions {
    int bubbleCount = 24;
    int size = 1;        // 0 small, 1 medium, 2 large
    int background = 0;  // 0 deep sea, 1 sunset, 2 night
};

class BubblesScene : public SaverScene_IF {
public:
    BubblesScene(const BubblesOptions& options, uint32_t seed);
    void Resize(int width, int height) override;
    void Step(double seconds) override;
    void Draw(PixelCanvas& canvas) override;

    size_t BubbleCount() const { return m_bubbles.size(); }
    // The largest radius a bubble gets at this size, in pixels.
    float MaxRadius() const;

private:
    struct Bubble {
        float baseX, y, radius, rise, phase, sway, hue;
    };
    // A bubble's look, worked out once per bubble: per pixel how much of
    // what lies under it stays (0..256), and the light it adds.
    struct Sprite {
        float radius = 0;
        float hue = -1;
        int size = 0;
        std::vector<uint16_t> keep;
        std::vector<uint32_t> light;
    };
    void Respawn(Bubble& bubble, bool anywhere);
    static void BuildSprite(Sprite& sprite, const Bubble& bubble);
    void DrawBubble(PixelCanvas& canvas, const Bubble& bubble, Sprite& sprite) const;

    BubblesOptions m_options;
    std::vector<Bubble> m_bubbles;
    std::vector<Sprite> m_sprites;  // one per bubble
    std::vector<uint32_t> m_background;  // one colour per row
    uint32_t m_seed;
    int m_width = 1;
    int m_height = 1;
    double m_time = 0;
};

SaverDefinition BubblesSaver();

} // namespace lum::demo
