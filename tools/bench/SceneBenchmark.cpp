// How long one frame of each demo scene takes (step and draw), full screen
// and preview sized. A saver has 33 ms per frame at 30 frames a second.
//   saver_scene_bench.exe [frames]
#include "demo/savers/Bubbles.h"
#include "demo/savers/Plasma.h"
#include "demo/savers/Starfield.h"

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

using namespace lum::demo;

namespace {

double MillisecondsPerFrame(SaverScene_IF& scene, int width, int height, int frames) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    PixelCanvas canvas{pixels.data(), width, height};
    scene.Resize(width, height);
    scene.Step(0.033);
    scene.Draw(canvas);  // warm up
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        scene.Step(0.033);
        scene.Draw(canvas);
    }
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / frames;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int frames = argc > 1 ? std::max(1, _wtoi(argv[1])) : 60;
    struct Entry {
        const char* name;
        std::unique_ptr<SaverScene_IF> (*make)();
    };
    const Entry entries[] = {
        {"Starfield (2000 stars)", [] { StarfieldOptions o; o.starCount = 2000; return std::unique_ptr<SaverScene_IF>(new StarfieldScene(o, 1)); }},
        {"Starfield (600 stars)", [] { return std::unique_ptr<SaverScene_IF>(new StarfieldScene(StarfieldOptions{}, 1)); }},
        {"Bubbles (80, large)", [] { BubblesOptions o; o.bubbleCount = 80; o.size = 2; return std::unique_ptr<SaverScene_IF>(new BubblesScene(o, 1)); }},
        {"Bubbles (24, medium)", [] { return std::unique_ptr<SaverScene_IF>(new BubblesScene(BubblesOptions{}, 1)); }},
        {"Plasma", [] { return std::unique_ptr<SaverScene_IF>(new PlasmaScene(PlasmaOptions{})); }},
    };
    std::printf("%-24s %14s %14s\n", "scene", "1280x1024 ms", "320x240 ms");
    for (const Entry& entry : entries) {
        auto full = entry.make();
        auto small = entry.make();
        std::printf("%-24s %14.2f %14.2f\n", entry.name, MillisecondsPerFrame(*full, 1280, 1024, frames),
                    MillisecondsPerFrame(*small, 320, 240, frames));
    }
    PROCESS_MEMORY_COUNTERS memory{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    std::printf("peak working set: %.1f MB\n", static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    return 0;
}
