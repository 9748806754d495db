#pragma once
// Flying through a field of stars.
#include "demo/savers/SaverScene.h"

#include <cstdint>
#include <vector>

namespace lum::demo {

struct StarfieldOptions {
    int starCount = 600;
    int speed = 4;    // 1..10
    int colours = 0;  // 0 white, 1 rainbow, 2 warm
};

class StarfieldScene : public SaverScene_IF {
public:
    StarfieldScene(const StarfieldOptions& options, uint32_t seed);
    void Resize(int width, int height) override;
    void Step(double seconds) override;
    void Draw(PixelCanvas& canvas) override;

    size_t StarCount() const { return m_stars.size(); }
    // Where a star at (x, y, z) shows on the canvas; false when off it.
    bool Project(float x, float y, float z, float& px, float& py) const;

private:
    struct Star {
        float x, y, z;
        uint32_t color;
    };
    void Respawn(Star& star, bool anywhere);

    StarfieldOptions m_options;
    std::vector<Star> m_stars;
    uint32_t m_seed;
    int m_width = 1;
    int m_height = 1;
};

// The saver's name, settings and scene factory.
SaverDefinition StarfieldSaver();

} // namespace lum::demo
