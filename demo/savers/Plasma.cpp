#include "demo/savers/Plasma.h"

#include "demo/savers/SceneMath.h"

#include <algorithm>
#include <cmath>

namespace lum::demo {

namespace {

constexpr int kCell = 2;  // the plasma is computed for 2x2 pixel cells
constexpr double kTurn = 6.283185307179586;

int Byte(double v) { return std::clamp(static_cast<int>(v * 255.0 + 0.5), 0, 255); }

} // namespace

PlasmaPalette BuildPlasmaPalette(int kind) {
    PlasmaPalette palette{};
    for (int i = 0; i < 256; ++i) {
        const double t = static_cast<double>(i) / 256.0;
        const double wave = 0.5 - 0.5 * std::cos(t * kTurn);  // 0 -> 1 -> 0 round the palette
        switch (kind) {
        case 1:  // fire: embers, red, orange, yellow-white
            palette[static_cast<size_t>(i)] = Rgb(Byte(0.15 + 0.85 * std::min(1.0, wave * 1.6)),
                                                  Byte(wave * wave * 0.9), Byte(std::pow(wave, 4.0) * 0.6));
            break;
        case 2:  // sea: navy, blue, cyan, foam
            palette[static_cast<size_t>(i)] =
                Rgb(Byte(std::pow(wave, 3.0) * 0.85), Byte(0.1 + 0.8 * wave), Byte(0.3 + 0.7 * std::sqrt(wave)));
            break;
        case 3:  // aurora: green, teal, violet
            palette[static_cast<size_t>(i)] = Rgb(Byte(0.45 + 0.45 * std::cos(kTurn * (t + 0.55))),
                                                  Byte(0.5 + 0.45 * std::cos(kTurn * (t + 0.05))),
                                                  Byte(0.5 + 0.45 * std::cos(kTurn * (t + 0.3))));
            break;
        default:
            palette[static_cast<size_t>(i)] = HsvColor(static_cast<float>(t), 0.7f, 0.95f);
            break;
        }
    }
    return palette;
}

PlasmaScene::PlasmaScene(const PlasmaOptions& options)
    : m_options(options), m_palette(BuildPlasmaPalette(options.palette)) {
    for (size_t i = 0; i < m_sine.size(); ++i)
        m_sine[i] = static_cast<int>(std::lround(64.0 * std::sin(kTurn * static_cast<double>(i) / 1024.0)));
}

void PlasmaScene::Resize(int width, int height) {
    m_width = std::max(1, width);
    m_height = std::max(1, height);
    m_cellsX = (m_width + kCell - 1) / kCell;
    m_cellsY = (m_height + kCell - 1) / kCell;
    m_distance.resize(static_cast<size_t>(m_cellsX) * static_cast<size_t>(m_cellsY));
    const double cx = m_cellsX * 0.5, cy = m_cellsY * 0.55;
    for (int y = 0; y < m_cellsY; ++y)
        for (int x = 0; x < m_cellsX; ++x)
            m_distance[static_cast<size_t>(y) * static_cast<size_t>(m_cellsX) + static_cast<size_t>(x)] =
                static_cast<uint16_t>(std::hypot(x - cx, y - cy) * 8.0);
}

void PlasmaScene::Step(double seconds) { m_time += seconds * (0.25 + 0.15 * m_options.speed); }

void PlasmaScene::Draw(PixelCanvas& canvas) {
    // Wavelengths relative to the window, so the preview shows the same
    // picture as the full screen, only smaller.
    const double detail = 0.6 + 0.5 * std::clamp(m_options.detail, 1, 5);
    const double perCell = detail * 1024.0 / std::max(1, std::min(m_cellsX, m_cellsY));
    const int t = static_cast<int>(m_time * 160.0);
    std::vector<int> columns(static_cast<size_t>(m_cellsX)), rows(static_cast<size_t>(m_cellsY));
    for (int x = 0; x < m_cellsX; ++x)
        columns[static_cast<size_t>(x)] = m_sine[static_cast<size_t>(static_cast<int>(x * perCell * 0.9) + t) & 1023] +
                                          m_sine[static_cast<size_t>(static_cast<int>(x * perCell * 0.37) - t / 2 + 300) & 1023];
    for (int y = 0; y < m_cellsY; ++y)
        rows[static_cast<size_t>(y)] = m_sine[static_cast<size_t>(static_cast<int>(y * perCell * 0.7) - t + 100) & 1023];
    const int diagonalStep = static_cast<int>(perCell * 0.5);
    const int radialScale = std::max(1, static_cast<int>(perCell * 0.15));
    const int shift = static_cast<int>(m_time * 40.0);

    for (int cy = 0; cy < m_cellsY; ++cy) {
        const uint16_t* distance = &m_distance[static_cast<size_t>(cy) * static_cast<size_t>(m_cellsX)];
        for (int cx = 0; cx < m_cellsX; ++cx) {
            int v = columns[static_cast<size_t>(cx)] + rows[static_cast<size_t>(cy)] +
                    m_sine[static_cast<size_t>((cx + cy) * diagonalStep + t * 2) & 1023] +
                    m_sine[static_cast<size_t>(distance[cx] * radialScale / 8 - t * 3) & 1023];
            const uint32_t color = m_palette[static_cast<size_t>((v + shift) & 255)];
            const int px = cx * kCell, py = cy * kCell;
            for (int dy = 0; dy < kCell && py + dy < canvas.height; ++dy) {
                uint32_t* row = canvas.Row(py + dy);
                for (int dx = 0; dx < kCell && px + dx < canvas.width; ++dx) row[px + dx] = color;
            }
        }
    }
}

SaverDefinition PlasmaSaver() {
    SaverDefinition saver;
    saver.name = L"Plasma";
    saver.title = L"プラズマ";
    saver.settings = {
        {L"Palette", L"色の組み合わせ", 0, 3, 0, {L"虹", L"炎", L"海", L"オーロラ"}},
        {L"Speed", L"速さ", 1, 10, 4, {}},
        {L"Detail", L"模様の細かさ", 1, 5, 3, {}},
    };
    saver.create = [](const std::vector<int>& values) -> std::unique_ptr<SaverScene_IF> {
        PlasmaOptions options;
        options.palette = values.at(0);
        options.speed = values.at(1);
        options.detail = values.at(2);
        return std::make_unique<PlasmaScene>(options);
    };
    return saver;
}

} // namespace lum::demo
