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

void BubblesScene::BuildSprite(Sprite& sprite, const Bubble& bubble) {
    const float r = bubble.radius;
    sprite.radius = r;
    sprite.hue = bubble.hue;
    sprite.size = static_cast<int>(std::ceil(r * 2.0f)) + 2;
    const size_t count = static_cast<size_t>(sprite.size) * static_cast<size_t>(sprite.size);
    sprite.keep.assign(count, 256);
    sprite.light.assign(count, 0);
    const float centre = static_cast<float>(sprite.size) * 0.5f;
    for (int y = 0; y < sprite.size; ++y) {
        const float dy = (static_cast<float>(y) + 0.5f - centre) / r;
        for (int x = 0; x < sprite.size; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - centre) / r;
            const float d2 = dx * dx + dy * dy;
            if (d2 > 1.0f) continue;
            const float d = std::sqrt(d2);
            // Thin film: nearly clear inside, bright and coloured at the rim.
            const float rim = d2 * d2 * d2 * d2;
            float alpha = 0.06f + 0.7f * rim;
            const float edge = (1.0f - d) * r;  // anti-aliased outline
            if (edge < 1.0f) alpha *= edge;
            const float angle = std::atan2(dy, dx) * 0.159f;
            const uint32_t film = HsvColor(bubble.hue + angle + d * 0.3f, 0.35f, 1.0f);
            // Highlights where the light falls on the film.
            const float hx = dx + 0.42f, hy = dy + 0.45f;
            const float lx = dx - 0.38f, ly = dy - 0.42f;
            float shine = std::exp(-(hx * hx + hy * hy) * 28.0f) * 0.9f + std::exp(-(lx * lx + ly * ly) * 60.0f) * 0.35f;
            shine = std::min(1.0f, shine);
            if (edge < 1.0f) shine *= edge;
            // film over the water, then white over that, as one step
            const float stays = (1.0f - alpha) * (1.0f - shine);
            const float filmPart = alpha * (1.0f - shine);
            const size_t at = static_cast<size_t>(y) * static_cast<size_t>(sprite.size) + static_cast<size_t>(x);
            sprite.keep[at] = static_cast<uint16_t>(std::lround(stays * 256.0f));
            sprite.light[at] = Rgb(static_cast<int>(RedOf(film) * filmPart + 255.0f * shine),
                                   static_cast<int>(GreenOf(film) * filmPart + 255.0f * shine),
                                   static_cast<int>(BlueOf(film) * filmPart + 255.0f * shine));
        }
    }
}

void BubblesScene::DrawBubble(PixelCanvas& canvas, const Bubble& bubble, Sprite& sprite) const {
    if (sprite.radius != bubble.radius || sprite.hue != bubble.hue) BuildSprite(sprite, bubble);
    const float cx = bubble.baseX + bubble.sway * static_cast<float>(std::sin(m_time * 0.9 + bubble.phase));
    const int left = static_cast<int>(std::lround(cx - static_cast<float>(sprite.size) * 0.5f));
    const int top = static_cast<int>(std::lround(bubble.y - static_cast<float>(sprite.size) * 0.5f));
    const int x0 = std::max(0, -left), x1 = std::min(sprite.size, canvas.width - left);
    const int y0 = std::max(0, -top), y1 = std::min(sprite.size, canvas.height - top);
    for (int y = y0; y < y1; ++y) {
        uint32_t* row = canvas.Row(top + y) + left;
        const uint16_t* keep = &sprite.keep[static_cast<size_t>(y) * static_cast<size_t>(sprite.size)];
        const uint32_t* light = &sprite.light[static_cast<size_t>(y) * static_cast<size_t>(sprite.size)];
        for (int x = x0; x < x1; ++x) {
            if (keep[x] == 256) continue;
            const uint32_t under = row[x];
            const int k = keep[x];
            row[x] = Rgb(std::min(255, ((RedOf(under) * k) >> 8) + RedOf(light[x])),
                         std::min(255, ((GreenOf(under) * k) >> 8) + GreenOf(light[x])),
                         std::min(255, ((BlueOf(under) * k) >> 8) + BlueOf(light[x])));
        }
    }
}

void BubblesScene::Draw(PixelCanvas& canvas) {
    for (int y = 0; y < canvas.height; ++y) {
        const uint32_t color = m_background.empty() ? 0 : m_background[static_cast<size_t>(std::min(y, m_height - 1))];
        std::fill(canvas.Row(y), canvas.Row(y) + canvas.width, color);
    }
    m_sprites.resize(m_bubbles.size());
    for (size_t i = 0; i < m_bubbles.size(); ++i) DrawBubble(canvas, m_bubbles[i], m_sprites[i]);
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
