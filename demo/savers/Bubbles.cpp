#include "demo/savers/Bubbles.h"

#include "demo/savers/SceneMath.h"

#include <algorithm>
#include <cmath>

namespace lum::demo {

namespace {

uint32_t Mix(uint32_t a, uint32_t b, float f) { return Blend(a, b, static_cast<int>(std::clamp(f, 0.0f, 1.0f) * 256)); }

void Gradient(int background, uint32_t& top, uint32_t& bottom) {
    switch (background) {
    case 1: top = Rgb(250, 140, 90); bottom = Rgb(70, 30, 110); break;
    case 2: top = Rgb(8, 10, 40); bottom = Rgb(30, 20, 70); break;
    default: top = Rgb(20, 120, 160); bottom = Rgb(2, 18, 52); break;
    }
}

} // namespace

BubblesScene::BubblesScene(const BubblesOptions& options, uint32_t seed) : m_options(options), m_seed(seed) {
    m_bubbles.resize(static_cast<size_t>(std::max(1, options.bubbleCount)));
}

float BubblesScene::MaxRadius() const {
    const float scale = static_cast<float>(std::min(m_width, m_height));
    const float share[] = {0.045f, 0.075f, 0.11f};
    return std::max(4.0f, scale * share[std::clamp(m_options.size, 0, 2)]);
}

void BubblesScene::Respawn(Bubble& bubble, bool anywhere) {
    SceneRandom random(m_seed);
    m_seed = random.Next();
    const float maxRadius = MaxRadius();
    bubble.radius = random.Between(0.35f, 1.0f) * maxRadius;
    bubble.baseX = random.Between(0.0f, static_cast<float>(m_width));
    bubble.y = anywhere ? random.Between(0.0f, static_cast<float>(m_height) + maxRadius)
                        : static_cast<float>(m_height) + bubble.radius + random.Between(0.0f, maxRadius * 2);
    // Small bubbles rise faster, as they look lighter.
    bubble.rise = static_cast<float>(m_height) * random.Between(0.06f, 0.12f) * (1.4f - bubble.radius / maxRadius * 0.6f);
    bubble.phase = random.Between(0.0f, 6.2832f);
    bubble.sway = bubble.radius * random.Between(0.3f, 0.9f);
    bubble.hue = random.Between(0.0f, 1.0f);
}

void BubblesScene::Resize(int width, int height) {
    m_width = std::max(1, width);
    m_height = std::max(1, height);
    uint32_t top = 0, bottom = 0;
    Gradient(m_options.background, top, bottom);
    m_background.resize(static_cast<size_t>(m_height));
    for (int y = 0; y < m_height; ++y) m_background[static_cast<size_t>(y)] = Mix(top, bottom, static_cast<float>(y) / static_cast<float>(m_height));
    for (Bubble& bubble : m_bubbles) Respawn(bubble, true);
}

void BubblesScene::Step(double seconds) {
    m_time += seconds;
    for (Bubble& bubble : m_bubbles) {
        bubble.y -= bubble.rise * static_cast<float>(seconds);
        if (bubble.y + bubble.radius < 0.0f) Respawn(bubble, false);
    }
}

void BubblesScene::DrawBubble(PixelCanvas& canvas, const Bubble& bubble) const {
    const float cx = bubble.baseX + bubble.sway * static_cast<float>(std::sin(m_time * 0.9 + bubble.phase));
    const float cy = bubble.y;
    const float r = bubble.radius;
    const int left = std::max(0, static_cast<int>(cx - r) - 1), right = std::min(canvas.width - 1, static_cast<int>(cx + r) + 1);
    const int top = std::max(0, static_cast<int>(cy - r) - 1), bottom = std::min(canvas.height - 1, static_cast<int>(cy + r) + 1);
    const float shimmer = static_cast<float>(m_time) * 0.05f;
    for (int y = top; y <= bottom; ++y) {
        uint32_t* row = canvas.Row(y);
        const float dy = (static_cast<float>(y) + 0.5f - cy) / r;
        for (int x = left; x <= right; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - cx) / r;
            const float d2 = dx * dx + dy * dy;
            if (d2 > 1.0f) continue;
            const float d = std::sqrt(d2);
            // Thin film: nearly clear inside, bright and coloured at the rim.
            const float rim = d2 * d2 * d2 * d2;
            float alpha = 0.06f + 0.7f * rim;
            const float edge = (1.0f - d) * r;  // anti-aliased outline
            if (edge < 1.0f) alpha *= edge;
            const float angle = std::atan2(dy, dx) * 0.159f;
            const uint32_t film = HsvColor(bubble.hue + angle + d * 0.3f + shimmer, 0.35f, 1.0f);
            uint32_t pixel = Mix(row[x], film, alpha);
            // Highlights where the light falls on the film.
            const float hx = dx + 0.42f, hy = dy + 0.45f;
            const float spot = std::exp(-(hx * hx + hy * hy) * 28.0f);
            const float lx = dx - 0.38f, ly = dy - 0.42f;
            const float glint = std::exp(-(lx * lx + ly * ly) * 60.0f) * 0.35f;
            pixel = Mix(pixel, Rgb(255, 255, 255), std::min(1.0f, spot * 0.9f + glint));
            row[x] = pixel;
        }
    }
}

void BubblesScene::Draw(PixelCanvas& canvas) {
    for (int y = 0; y < canvas.height; ++y) {
        const uint32_t color = m_background.empty() ? 0 : m_background[static_cast<size_t>(std::min(y, m_height - 1))];
        std::fill(canvas.Row(y), canvas.Row(y) + canvas.width, color);
    }
    for (const Bubble& bubble : m_bubbles) DrawBubble(canvas, bubble);
}

SaverDefinition BubblesSaver() {
    SaverDefinition saver;
    saver.name = L"Bubbles";
    saver.title = L"バブル";
    saver.settings = {
        {L"BubbleCount", L"泡の数", 5, 80, 24, {}},
        {L"Size", L"泡の大きさ", 0, 2, 1, {L"小さめ", L"ふつう", L"大きめ"}},
        {L"Background", L"背景", 0, 2, 0, {L"深い海", L"夕焼け", L"夜"}},
    };
    saver.create = [](const std::vector<int>& values) -> std::unique_ptr<SaverScene_IF> {
        BubblesOptions options;
        options.bubbleCount = values.at(0);
        options.size = values.at(1);
        options.background = values.at(2);
        return std::make_unique<BubblesScene>(options, TimeSeed());
    };
    return saver;
}

} // namespace lum::demo
