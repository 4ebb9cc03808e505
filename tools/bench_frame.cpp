// Times whole frames of the game drawn offscreen: the simulation
// (simulateFrame), the GL submission of the scene, weather and HUD
// (drawFrame) and the wait for the rasteriser (glFinish). Prints the median
// milliseconds of each part per frame for a few typical scenes; the view
// turns a full circle over the run so every direction counts.
//
//   bench_frame [frames] [WIDTHxHEIGHT]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/frame_tick.h"
#include "app/shell.h"
#include "combat/arena.h"
#include "player/input.h"
#include "player/player.h"
#include "render/gl.h"
#include "resources/resource_ids.h"
#include "tools/common/game_harness.h"
#include "tools/common/offscreen.h"

namespace {

struct Scene {
    const char* name;
    int weatherCommand;
    float night;
    float snowCover;
    int binoculars;
};

struct Medians {
    double simulate, draw, finish, total;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

Medians run(const Scene& scene, int frames, int width, int height) {
    harnessStart(1, width, height);
    shellCommand(scene.weatherCommand);
    theInput.mouseCaptured = 1;
    theInput.binocularsOn = scene.binoculars;
    std::vector<double> simulate, draw, finish, total;
    const float dt = 0.016f;
    for (int f = 0; f < frames; ++f) {
        // Held fixed so easing and melting do not change the scene under test.
        theArena.nightBlend = scene.night;
        theArena.nightTarget = scene.night >= 0.5f;
        theArena.snowCover = scene.snowCover;
        thePlayer.yaw = -90.0f + 360.0f * (float)f / (float)frames;

        auto start = std::chrono::steady_clock::now();
        simulateFrame(dt);
        double s = millisecondsSince(start);
        auto drawStart = std::chrono::steady_clock::now();
        drawFrame();
        double d = millisecondsSince(drawStart);
        auto finishStart = std::chrono::steady_clock::now();
        glFinish();
        double g = millisecondsSince(finishStart);
        simulate.push_back(s);
        draw.push_back(d);
        finish.push_back(g);
        total.push_back(s + d + g);
    }
    return Medians{median(simulate), median(draw), median(finish), median(total)};
}

}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 200;
    if (frames < 1) frames = 1;
    int width = 800;
    int height = 600;
    if (argc > 2 && std::sscanf(argv[2], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "size as WIDTHxHEIGHT, for example 1920x1080\n");
        return 2;
    }
    const Scene scenes[] = {
        {"clear day", IDM_WEATHER_NONE, 0.0f, 0.0f, 0},
        {"snowing, full cover", IDM_WEATHER_SNOWY, 0.0f, 1.0f, 0},
        {"rain at night, binoculars", IDM_WEATHER_RAINY, 1.0f, 0.0f, 1},
    };
    std::printf("%d x %d offscreen frames, median of %d each, milliseconds\n", width, height,
                frames);
    std::printf("  %-28s %9s %9s %9s %9s\n", "scene", "simulate", "drawFrame", "glFinish", "total");
    for (const Scene& scene : scenes) {
        Medians m = run(scene, frames, width, height);
        std::printf("  %-28s %9.2f %9.2f %9.2f %9.2f\n", scene.name, m.simulate, m.draw, m.finish,
                    m.total);
    }
    offscreenClose();
    return 0;
}
