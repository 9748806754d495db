// The demo savers' framework without windows: command lines, mouse moves,
// settings and what the scenes draw.
#include "demo/savers/Bubbles.h"
#include "demo/savers/Plasma.h"
#include "demo/savers/SaverArgs.h"
#include "demo/savers/SaverSettings.h"
#include "demo/savers/Starfield.h"
#include "tests/saver/SaverTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <tuple>

namespace lum::demo {
namespace {

HWND Handle(LONG_PTR value) { return reinterpret_cast<HWND>(value); }

TEST(SaverArgs, SwitchesAsTheSystemAndOtherCallersWriteThem) {
    struct Case {
        const wchar_t* line;
        SaverRun run;
        LONG_PTR window;
    };
    const Case cases[] = {
        {L"C:\\SAVERS~1\\STAR.SCR /s", SaverRun::FullScreen, 0},
        {L"\"C:\\My Savers\\Star.scr\" /S", SaverRun::FullScreen, 0},
        {L"star.scr -s", SaverRun::FullScreen, 0},
        {L"star.scr /p 1234", SaverRun::Preview, 1234},
        {L"star.scr /P:5678", SaverRun::Preview, 5678},
        {L"\"C:\\a b\\star.scr\"   /p   42", SaverRun::Preview, 42},
        {L"star.scr /l 77", SaverRun::Preview, 77},
        {L"star.scr /p", SaverRun::None, 0},
        {L"star.scr /p abc", SaverRun::None, 0},
        {L"star.scr /p 12x", SaverRun::None, 0},
        {L"star.scr /c", SaverRun::Config, 0},
        {L"star.scr /c:3344", SaverRun::Config, 3344},
        {L"star.scr /C 99", SaverRun::Config, 99},
        {L"star.scr", SaverRun::Config, 0},
        {L"\"C:\\a b\\star.scr\"", SaverRun::Config, 0},
        {L"star.scr /x", SaverRun::Config, 0},
        {L"star.scr /a 12", SaverRun::None, 0},
        {L"star.scr /p -12", SaverRun::Preview, -12},
    };
    for (const Case& c : cases) {
        const SaverArgs args = ParseSaverCommandLine(c.line);
        EXPECT_EQ(args.run, c.run) << test::Narrow(c.line);
        EXPECT_EQ(args.window, Handle(c.window)) << test::Narrow(c.line);
    }
    EXPECT_EQ(ArgumentsOf(L"\"C:\\a b\\s.scr\"  /p 1"), L"/p 1");
    EXPECT_EQ(ArgumentsOf(L"s.scr"), L"");
}

TEST(DemoSettings, ValuesAreClampedAndKeptUnderTheCurrentUser) {
    const SaverDefinition saver = StarfieldSaver();
    const std::wstring key = SettingsKeyOf(saver);
    test::DeleteUserKey(key);

    const std::vector<int> defaults = LoadSettings(saver);
    ASSERT_EQ(defaults.size(), saver.settings.size());
    for (size_t i = 0; i < defaults.size(); ++i) EXPECT_EQ(defaults[i], saver.settings[i].fallback);

    ASSERT_TRUE(SaveSettings(saver, {1500, 99, 2}));
    EXPECT_EQ(LoadSettings(saver), (std::vector<int>{1500, 10, 2}));

    // A value of the wrong type or out of range falls back or is clamped.
    HKEY handle = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &handle), ERROR_SUCCESS);
    const wchar_t text[] = L"many";
    ::RegSetValueExW(handle, L"StarCount", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    const DWORD big = 77;
    ::RegSetValueExW(handle, L"Colours", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&big), sizeof big);
    ::RegCloseKey(handle);
    EXPECT_EQ(LoadSettings(saver), (std::vector<int>{600, 10, 0}));
    test::DeleteUserKey(key);

    const SettingDef range{L"v", L"v", 5, 80, 24, {}}, list{L"v", L"v", 0, 0, 1, {L"a", L"b", L"c"}};
    for (const auto& [setting, value, clamped] : {std::tuple{&range, 4, 5}, {&range, 81, 80}, {&list, 2, 2},
                                               {&list, 3, 1}, {&list, -1, 1}})
        EXPECT_EQ(ClampSetting(*setting, value), clamped) << value;
}

struct Frame {
    explicit Frame(int w, int h) : pixels(static_cast<size_t>(w) * static_cast<size_t>(h), 0xDEADBEu), canvas{nullptr, w, h} {
        canvas.pixels = pixels.data();
    }
    size_t CountBrighterThan(int level) const {
        size_t n = 0;
        for (uint32_t p : pixels) n += (RedOf(p) + GreenOf(p) + BlueOf(p)) > level;
        return n;
    }
    std::vector<uint32_t> pixels;
    PixelCanvas canvas;
};

void Render(SaverScene_IF& scene, Frame& frame, int steps) {
    scene.Resize(frame.canvas.width, frame.canvas.height);
    for (int i = 0; i < steps; ++i) scene.Step(0.033);
    scene.Draw(frame.canvas);
}

TEST(DemoScenes, TheStarCountSettingChangesHowManyStarsShine) {
    StarfieldOptions few, many;
    few.starCount = 50;
    many.starCount = 1500;
    StarfieldScene sparse(few, 7), dense(many, 7);
    Frame a(640, 480), b(640, 480);
    Render(sparse, a, 30);
    Render(dense, b, 30);
    EXPECT_GT(a.CountBrighterThan(60), 10u);
    EXPECT_GT(b.CountBrighterThan(60), a.CountBrighterThan(60) * 5);
    // Every pixel is painted: nothing of the old picture remains.
    for (uint32_t p : a.pixels) ASSERT_NE(p, 0xDEADBEu);

    // Stars keep streaming for a long time (they are reborn far away).
    for (int i = 0; i < 900; ++i) sparse.Step(0.033);
    sparse.Draw(a.canvas);
    EXPECT_GT(a.CountBrighterThan(60), 10u);
}

TEST(DemoScenes, BubblesDrawOverTheWaterAndTheirSizeSettingCounts) {
    BubblesOptions small, large;
    small.size = 0;
    large.size = 2;
    BubblesScene a(small, 3), b(large, 3);
    Frame fa(400, 300), fb(400, 300);
    Render(a, fa, 10);
    Render(b, fb, 10);
    EXPECT_LT(a.MaxRadius(), b.MaxRadius());
    // The background alone is a smooth gradient: highlights are near white.
    EXPECT_GT(fa.CountBrighterThan(600), 0u);
    EXPECT_GT(fb.CountBrighterThan(600), fa.CountBrighterThan(600));

    BubblesOptions sunset;
    sunset.background = 1;
    BubblesScene c(sunset, 3);
    Frame fc(400, 300);
    Render(c, fc, 10);
    EXPECT_NE(fc.pixels[0], fa.pixels[0]);
}

TEST(DemoScenes, PlasmaPalettesDifferAndRunRoundWithoutASeam) {
    std::set<uint32_t> firstEntries;
    for (int kind = 0; kind < 4; ++kind) {
        const PlasmaPalette palette = BuildPlasmaPalette(kind);
        firstEntries.insert(palette[64]);
        for (size_t i = 0; i < palette.size(); ++i) {
            const uint32_t a = palette[i], b = palette[(i + 1) % palette.size()];
            const int jump = std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) +
                             std::abs(BlueOf(a) - BlueOf(b));
            EXPECT_LE(jump, 40) << "palette " << kind << " entry " << i;
        }
    }
    EXPECT_EQ(firstEntries.size(), 4u);

    PlasmaOptions rainbow, fire;
    fire.palette = 1;
    PlasmaScene a(rainbow), b(fire);
    Frame fa(160, 120), fb(160, 120);
    Render(a, fa, 5);
    Render(b, fb, 5);
    EXPECT_NE(fa.pixels, fb.pixels);
    for (uint32_t p : fa.pixels) ASSERT_NE(p, 0xDEADBEu);
    // It moves.
    const std::vector<uint32_t> before = fa.pixels;
    a.Step(0.5);
    a.Draw(fa.canvas);
    EXPECT_NE(before, fa.pixels);
}

} // namespace
} // namespace lum::demo
