#pragma once
// A flowing colour plasma.
#include "demo/savers/SaverScene.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lum::demo {

struct PlasmaOptions {
    int palette = 0;  // 0 rainbow, 1 fire, 2 sea, 3 aurora
    int speed = 4;    // 1..10
    int detail = 3;   // 1 broad waves .. 5 fine ones
};

using PlasmaPalette = std::array<uint32_t, 256>;

// A palette that runs smoothly round: entry 255 leads back into entry 0.
PlasmaPalette BuildPlasmaPalette(int kind);

class PlasmaScene : public SaverScene_IF {
public:
    explicit PlasmaScene(const PlasmaOptions& options);
    void Resize(int width, int height) override;
    void Step(double seconds) override;
    void Draw(PixelCanvas& canvas) override;

private:
    PlasmaOptions m_options;
    PlasmaPalette m_palette{};
    std::array<int, 1024> m_sine{};  // one turn, -64..64
    std::vector<uint16_t> m_distance;  // per cell: distance from the centre, scaled
    int m_width = 1, m_height = 1;
    int m_cellsX = 1, m_cellsY = 1;
    double m_time = 0;
};

SaverDefinition PlasmaSaver();

} // namespace lum::demo
