#include "demo/savers/Starfield.h"

#include "demo/savers/SceneMath.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lum::demo {

namespace {
constexpr float kNearest = 0.02f;
constexpr float kTrail = 0.035f;  // depth covered by a streak, per speed step
}

StarfieldScene::StarfieldScene(const StarfieldOptions& options, uint32_t seed)
    : m_options(options), m_seed(seed) {
    m_stars.resize(static_cast<size_t>(std::max(1, options.starCount)));
    for (Star& star : m_stars) Respawn(star, true);
}

void StarfieldScene::Respawn(Star& star, bool anywhere) {
    SceneRandom random(m_seed);
    m_seed = random.Next();
    star.x = random.Between(-1.0f, 1.0f);
    star.y = random.Between(-1.0f, 1.0f);
    star.z = anywhere ? random.Between(kNearest, 1.0f) : random.Between(0.85f, 1.0f);
    switch (m_options.colours) {
    case 1: star.color = HsvColor(random.Between(0.0f, 1.0f), 0.55f, 1.0f); break;
    case 2: star.color = HsvColor(random.Between(0.02f, 0.14f), random.Between(0.3f, 0.7f), 1.0f); break;
    default: star.color = HsvColor(random.Between(0.55f, 0.68f), random.Between(0.0f, 0.25f), 1.0f); break;
    }
}

void StarfieldScene::Resize(int width, int height) {
    m_width = std::max(1, width);
    m_height = std::max(1, height);
}

bool StarfieldScene::Project(float x, float y, float z, float& px, float& py) const {
    const float focal = 0.5f * static_cast<float>(std::max(m_width, m_height));
    px = 0.5f * static_cast<float>(m_width) + x / z * focal;
    py = 0.5f * static_cast<float>(m_height) + y / z * focal;
    return px >= 0.0f && py >= 0.0f && px < static_cast<float>(m_width) && py < static_cast<float>(m_height);
}

void StarfieldScene::Step(double seconds) {
    const float travel = static_cast<float>(seconds) * 0.09f * static_cast<float>(m_options.speed);
    for (Star& star : m_stars) {
        star.z -= travel;
        float px = 0, py = 0;
        if (star.z <= kNearest || !Project(star.x, star.y, star.z, px, py)) Respawn(star, false);
    }
}

void StarfieldScene::Draw(PixelCanvas& canvas) {
    for (int y = 0; y < canvas.height; ++y) std::memset(canvas.Row(y), 0, sizeof(uint32_t) * canvas.width);
    const float trail = kTrail * static_cast<float>(m_options.speed) * 0.35f;
    // The count is meant for a full screen; a small window (the preview)
    // shows fewer, so it looks like the same sky and not a snowstorm.
    const float area = static_cast<float>(canvas.width) * static_cast<float>(canvas.height);
    const float share = std::clamp(std::sqrt(area / (1280.0f * 1024.0f)), 0.25f, 1.0f);
    const size_t shown = std::max<size_t>(1, static_cast<size_t>(static_cast<float>(m_stars.size()) * share));
    for (size_t i = 0; i < shown; ++i) {
        const Star& star = m_stars[i];
        float hx = 0, hy = 0, tx = 0, ty = 0;
        if (!Project(star.x, star.y, star.z, hx, hy)) continue;
        Project(star.x, star.y, std::min(1.0f, star.z + trail), tx, ty);
        const float nearness = 1.0f - star.z;  // 0 far .. 1 close
        const int brightness = static_cast<int>(70.0f + 186.0f * nearness);
        // The streak fades from the head back to the tail.
        const float dx = hx - tx, dy = hy - ty;
        const int steps = std::max(1, static_cast<int>(std::max(std::fabs(dx), std::fabs(dy))));
        for (int i = 0; i <= steps; ++i) {
            const float f = static_cast<float>(i) / static_cast<float>(steps);
            AddToPixel(canvas, static_cast<int>(tx + dx * f), static_cast<int>(ty + dy * f), star.color,
                       static_cast<int>(static_cast<float>(brightness) * f * 0.85f));
        }
        // The head: a dot that grows as the star comes close.
        const int radius = nearness > 0.75f ? 2 : (nearness > 0.4f ? 1 : 0);
        for (int oy = -radius; oy <= radius; ++oy)
            for (int ox = -radius; ox <= radius; ++ox) {
                const int fall = (ox * ox + oy * oy) * 60;
                AddToPixel(canvas, static_cast<int>(hx) + ox, static_cast<int>(hy) + oy, star.color,
                           brightness - fall);
            }
    }
}

SaverDefinition StarfieldSaver() {
    SaverDefinition saver;
    saver.name = L"Starfield";
    saver.title = L"スターフィールド";
    saver.settings = {
        {L"StarCount", L"星の数", 50, 2000, 600, {}},
        {L"Speed", L"速さ", 1, 10, 4, {}},
        {L"Colours", L"星の色", 0, 2, 0, {L"白", L"虹色", L"暖色"}},
    };
    saver.create = [](const std::vector<int>& values) -> std::unique_ptr<SaverScene_IF> {
        StarfieldOptions options;
        options.starCount = values.at(0);
        options.speed = values.at(1);
        options.colours = values.at(2);
        return std::make_unique<StarfieldScene>(options, TimeSeed());
    };
    return saver;
}

} // namespace lum::demo
