#include <cmath>

#include "render/gl.h"
#include "render/vertex_arrays.h"
#include "sky/weather.h"

// Rain, splashes and snow draw over everything (no depth test), after the
// scene pass and before the HUD.

namespace {

void beginWeatherParticles() {
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void endWeatherParticles() {
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}

const float TWO_PI = 2.0f * 3.1415927f;

// A curtain's vertices, two a rain drop or one a flake; a splash uses the
// first eighteen (a crown of ten and four streaks).
const int SCRATCH_VERTICES =
    2 * MAX_SNOW_FLAKES > 2 * MAX_RAIN_DROPS ? 2 * MAX_SNOW_FLAKES : 2 * MAX_RAIN_DROPS;
float scratchPosition[SCRATCH_VERTICES][3];
float scratchColour[SCRATCH_VERTICES][4];

void setScratch(int i, float x, float y, float z, float red, float green, float blue, float alpha) {
    setColouredVertex(scratchPosition, scratchColour, i, x, y, z, red, green, blue, alpha);
}

}  // namespace

void drawRain(const RainDrop* drops, int count) {
    beginWeatherParticles();
    glLineWidth(2.0f);
    if (count > MAX_RAIN_DROPS) count = MAX_RAIN_DROPS;
    for (int i = 0; i < count; ++i) {
        const RainDrop& d = drops[i];
        // A drop fades out over its last half second.
        float a = 2.0f * d.life;
        if (a > 1.0f) a = 1.0f;
        setScratch(2 * i, d.x, d.y, d.z, 0.9f, 0.92f, 0.95f, 0.7f * a);
        setScratch(2 * i + 1, d.x, d.y - 0.8f, d.z, 0.9f, 0.92f, 0.95f, 0.7f * a);
    }
    drawColouredArrays(GL_LINES, scratchPosition, scratchColour, 0, 2 * count);
    endWeatherParticles();
}

void drawSnow(const SnowFlake* flakes, int count) {
    beginWeatherParticles();
    glPointSize(4.0f);
    if (count > MAX_SNOW_FLAKES) count = MAX_SNOW_FLAKES;
    for (int i = 0; i < count; ++i) {
        const SnowFlake& f = flakes[i];
        float alpha = std::fabs(f.vy) * 0.3f / 2.0f + 0.5f;
        if (alpha > 0.9f) alpha = 0.9f;
        setScratch(i, f.x, f.y, f.z, 1.0f, 1.0f, 1.0f, alpha);
    }
    drawColouredArrays(GL_POINTS, scratchPosition, scratchColour, 0, count);
    endWeatherParticles();
}

void drawRainSplashes(const RainSplash* splashes, int count) {
    beginWeatherParticles();
    beginColouredArrays(scratchPosition, scratchColour);
    for (int i = 0; i < count; ++i) {
        const RainSplash& s = splashes[i];
        float t = 1.0f - s.life / s.initialLife;
        float ring = (0.2f + 0.8f * t) * s.radius;
        float h = 0.01f + 0.15f * t;
        // A five-lobed crown spreading and fading, wound to face up so it shows from above.
        const float crownAlpha = 0.5f * (1.0f - t);
        setScratch(0, s.x, h, s.z, 0.8f, 0.85f, 0.9f, crownAlpha);
        for (int j = 8; j >= 0; --j) {
            float a = TWO_PI * (float)j / 8.0f;
            float rho = (0.8f + 0.2f * std::sin(5.0f * a)) * ring;
            setScratch(9 - j, s.x + rho * std::cos(a), h, s.z + rho * std::sin(a), 0.8f, 0.85f,
                       0.9f, crownAlpha);
        }
        glDrawArrays(GL_TRIANGLE_FAN, 0, 10);
        if (t < 0.5f) {
            const float streakAlpha = 0.6f * (1.0f - 2.0f * t);
            for (int k = 0; k < 4; ++k) {
                float b = TWO_PI * (float)k / 4.0f + 0.3f;
                float dx = 0.3f * ring * std::cos(b);
                float dz = 0.3f * ring * std::sin(b);
                setScratch(10 + 2 * k, s.x + dx, h, s.z + dz, 0.85f, 0.9f, 0.95f, streakAlpha);
                setScratch(11 + 2 * k, s.x + 1.5f * dx, h + 0.4f * t, s.z + 1.5f * dz, 0.85f, 0.9f,
                           0.95f, streakAlpha);
            }
            glDrawArrays(GL_LINES, 10, 8);
        }
    }
    endColouredArrays();
    endWeatherParticles();
}
