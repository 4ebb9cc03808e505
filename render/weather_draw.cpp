#include <cmath>

#include "render/gl.h"
#include "render/weather.h"

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

}  // namespace

void drawRain(const RainDrop* drops, int count) {
    beginWeatherParticles();
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    for (int i = 0; i < count; ++i) {
        const RainDrop& d = drops[i];
        // A drop fades out over its last half second.
        float a = 2.0f * d.life;
        if (a > 1.0f) a = 1.0f;
        glColor4f(0.9f, 0.92f, 0.95f, 0.7f * a);
        glVertex3f(d.x, d.y, d.z);
        glVertex3f(d.x, d.y - 0.8f, d.z);
    }
    glEnd();
    endWeatherParticles();
}

void drawSnow(const SnowFlake* flakes, int count) {
    beginWeatherParticles();
    glPointSize(4.0f);
    glBegin(GL_POINTS);
    for (int i = 0; i < count; ++i) {
        const SnowFlake& f = flakes[i];
        float alpha = std::fabs(f.vy) * 0.3f / 2.0f + 0.5f;
        if (alpha > 0.9f) alpha = 0.9f;
        glColor4f(1.0f, 1.0f, 1.0f, alpha);
        glVertex3f(f.x, f.y, f.z);
    }
    glEnd();
    endWeatherParticles();
}

void drawRainSplashes(const RainSplash* splashes, int count) {
    beginWeatherParticles();
    for (int i = 0; i < count; ++i) {
        const RainSplash& s = splashes[i];
        float t = 1.0f - s.life / s.initialLife;
        float ring = (0.2f + 0.8f * t) * s.radius;
        float h = 0.01f + 0.15f * t;
        // A five-lobed crown spreading and fading, wound to face up so it shows from above.
        glColor4f(0.8f, 0.85f, 0.9f, 0.5f * (1.0f - t));
        glBegin(GL_TRIANGLE_FAN);
        glVertex3f(s.x, h, s.z);
        for (int j = 8; j >= 0; --j) {
            float a = TWO_PI * (float)j / 8.0f;
            float rho = (0.8f + 0.2f * std::sin(5.0f * a)) * ring;
            glVertex3f(s.x + rho * std::cos(a), h, s.z + rho * std::sin(a));
        }
        glEnd();
        if (t < 0.5f) {
            glColor4f(0.85f, 0.9f, 0.95f, 0.6f * (1.0f - 2.0f * t));
            glBegin(GL_LINES);
            for (int k = 0; k < 4; ++k) {
                float b = TWO_PI * (float)k / 4.0f + 0.3f;
                float dx = 0.3f * ring * std::cos(b);
                float dz = 0.3f * ring * std::sin(b);
                glVertex3f(s.x + dx, h, s.z + dz);
                glVertex3f(s.x + 1.5f * dx, h + 0.4f * t, s.z + 1.5f * dz);
            }
            glEnd();
        }
    }
    endWeatherParticles();
}
