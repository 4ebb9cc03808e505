#include "sky/sky.h"

#include <cmath>

#include "combat/arena.h"
#include "core/clock.h"
#include "core/random.h"
#include "render/gl.h"
#include "render/vertex_arrays.h"
#include "world/park.h"
#include "world/textures.h"

StarField starField;

namespace {

struct SkyRow {
    SkyColour day;
    SkyColour night;
};

const SkyRow SKY_COLOURS[3] = {
    {{0.53f, 0.81f, 0.92f}, {0.02f, 0.02f, 0.08f}},  // clear
    {{0.35f, 0.38f, 0.42f}, {0.05f, 0.05f, 0.10f}},  // rain
    {{0.65f, 0.68f, 0.72f}, {0.10f, 0.10f, 0.15f}},  // snow
};

const GLfloat LIGHT_POSITION[4] = {50.0f, 80.0f, 30.0f, 1.0f};

}  // namespace

SkyColour skyColour(int weatherMode, float nightBlend) {
    const SkyRow& row = SKY_COLOURS[(weatherMode >= 0 && weatherMode <= 2) ? weatherMode : 0];
    SkyColour c;
    c.red = row.day.red + (row.night.red - row.day.red) * nightBlend;
    c.green = row.day.green + (row.night.green - row.day.green) * nightBlend;
    c.blue = row.day.blue + (row.night.blue - row.day.blue) * nightBlend;
    return c;
}

// One light whose colour follows the time of day: warm white by day, dim blue by night.
void setSceneLight(float n) {
    float a = 0.3f + (0.05f - 0.3f) * n;
    float d = 0.8f + (0.15f - 0.8f) * n;
    GLfloat ambient[4] = {a, a, a + 0.02f * n, 1.0f};
    GLfloat diffuse[4] = {d, d, 0.7f - 0.45f * n, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, LIGHT_POSITION);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

namespace {

// The sky's own pi, a shade coarser than the game's.
const float SKY_PI = 3.14159f;
const int MOON_RIM_POINTS = 48;
const float SKY_MIN_NIGHT = 0.3f;

int nightSkyVisible(int weatherMode, float nightBlend) {
    return nightBlend >= SKY_MIN_NIGHT && weatherMode == WEATHER_CLEAR;
}

void beginSkyBlend() {
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// A disc of the moon's radius facing the viewer: its plane holds the right
// axis and the vertical. Texture coordinates map it onto the whole picture.
void moonDisc(Vec3 centre, Vec3 right, int textured) {
    glBegin(GL_TRIANGLE_FAN);
    if (textured) glTexCoord2f(0.5f, 0.5f);
    glVertex3f(centre.x, centre.y, centre.z);
    for (int j = 0; j <= MOON_RIM_POINTS; ++j) {
        float a = 2.0f * SKY_PI * (float)j / (float)MOON_RIM_POINTS;
        float c = std::cos(a);
        float s = std::sin(a);
        if (textured) glTexCoord2f(0.5f + 0.5f * c, 0.5f + 0.5f * s);
        glVertex3f(centre.x + MOON_RADIUS * c * right.x, centre.y + MOON_RADIUS * s,
                   centre.z + MOON_RADIUS * c * right.z);
    }
    glEnd();
}

}  // namespace

void buildStars() {
    StarField* f = &starField;
    for (int i = 0; i < STAR_COUNT; ++i) {
        f->azimuth[i] = randomFloat(0.0f, 6.28318f);
        f->elevation[i] = randomFloat(0.1f, 1.5f);
        f->brightness[i] = randomFloat(0.4f, 1.0f);
        f->twinkle[i] = randomFloat(0.0f, 6.28f);
    }
    parkBuilt.stars = 1;
}

void drawStars(const PlayerState* player, int weatherMode, float nightBlend) {
    if (!nightSkyVisible(weatherMode, nightBlend)) return;
    if (!parkBuilt.stars) buildStars();
    // The system's tick count, so the twinkle runs on while the game pauses.
    float t = (float)(platformTickCount() * 0.001);
    Vec3 eye = player->position;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    beginSkyBlend();
    glPointSize(2.0f);
    static float position[STAR_COUNT][3];
    static float colour[STAR_COUNT][4];
    for (int i = 0; i < STAR_COUNT; ++i) {
        float alpha = starField.brightness[i] *
                      (0.7f + 0.3f * std::sin(1.5f * t + starField.twinkle[i])) * nightBlend;
        float ce = std::cos(starField.elevation[i]);
        setColouredVertex(
            position, colour, i, eye.x + STAR_DISTANCE * ce * std::cos(starField.azimuth[i]),
            eye.y + STAR_DISTANCE * std::sin(starField.elevation[i]),
            eye.z + STAR_DISTANCE * ce * std::sin(starField.azimuth[i]), 1.0f, 1.0f, 0.9f, alpha);
    }
    drawColouredArrays(GL_POINTS, position, colour, 0, STAR_COUNT);
    glPointSize(1.0f);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

int moonPhase() {
    int year, month, day;
    platformLocalDate(&year, &month, &day);
    // January and February count as months 13 and 14 of the year before.
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    int dayNumber =
        (int)(365.25 * (double)(year + 4716)) + (int)(30.6001f * (float)(month + 1)) + day - 1524;
    int p = (dayNumber - 2423196) % 29;
    if (p < 0) p += 29;
    if (p == 0) return 0;
    if (p <= 3) return 1;
    if (p <= 6) return 2;
    if (p <= 10) return 3;
    if (p <= 14) return 4;
    if (p <= 17) return 5;
    if (p <= 21) return 6;
    if (p <= 25) return 7;
    return 8;
}

int moonShadowOffset(int phase, float* offset) {
    if (phase < 1 || phase > 7) return 0;
    float s = 10.0f * (2.0f * (float)phase / 8.0f - 1.0f);
    // Waning phases mirror the waxing ones: the lit side stays on the right.
    if (phase > 4) s = -s;
    *offset = s;
    return 1;
}

void drawMoon(const PlayerState* player, int weatherMode, float nightBlend) {
    if (!nightSkyVisible(weatherMode, nightBlend)) return;
    Vec3 eye = player->position;
    float dx = MOON_POSITION.x - eye.x;
    float dz = MOON_POSITION.z - eye.z;
    float length = std::sqrt(dx * dx + dz * dz);
    // The viewer's right hand when facing the moon; any axis will do right below it.
    Vec3 right =
        length > 0.001f ? makeVec3(-dz / length, 0.0f, dx / length) : makeVec3(1.0f, 0.0f, 0.0f);
    int phase = moonPhase();

    beginSkyBlend();
    // Every moon pixel marks the stencil (cleared with the frame, and marked by nothing before
    // the moon), so the shadow can only darken the moon.
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);

    int textured = moonTexture != 0;
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, moonTexture);
    }
    glColor4f(1.0f, 1.0f, 1.0f, nightBlend);
    moonDisc(MOON_POSITION, right, textured);
    glDisable(GL_TEXTURE_2D);

    float offset;
    if (moonShadowOffset(phase, &offset)) {
        glStencilFunc(GL_EQUAL, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glDisable(GL_DEPTH_TEST);
        SkyColour sky = skyColour(weatherMode, nightBlend);
        glColor4f(sky.red, sky.green, sky.blue, 0.92f);
        moonDisc(vecAdd(MOON_POSITION, vecScale(right, offset)), right, 0);
        glEnable(GL_DEPTH_TEST);
    }
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_BLEND);
}

void drawRainbow(const PlayerState* player, float alpha, float yawDegrees) {
    if (!(alpha > 0.0f)) return;
    float psi = yawDegrees * SKY_PI / 180.0f;
    float sinPsi = std::sin(psi);
    float cosPsi = std::cos(psi);
    Vec3 eye = player->position;
    // The arc stands on the horizon far ahead; u runs along it sideways.
    float mx = eye.x + RAINBOW_DISTANCE * cosPsi;
    float mz = eye.z + RAINBOW_DISTANCE * sinPsi;
    float ux = -sinPsi;
    float uz = cosPsi;

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    beginSkyBlend();
    glDisable(GL_CULL_FACE);
    static float position[2 * (RAINBOW_SEGMENTS + 1)][3];
    static float colour[2 * (RAINBOW_SEGMENTS + 1)][4];
    for (int i = 0; i < RAINBOW_BANDS; ++i) {
        float f0 = (float)i / (float)RAINBOW_BANDS;
        float f1 = (float)(i + 1) / (float)RAINBOW_BANDS;
        float r0 = RAINBOW_INNER_RADIUS + RAINBOW_WIDTH * f0;
        float r1 = RAINBOW_INNER_RADIUS + RAINBOW_WIDTH * f1;
        float s = 6.0f * f0;
        int k = (int)s;  // at most 5: the last band starts below the last stop
        float w = s - (float)k;
        const float* lo = RAINBOW_COLOURS[k];
        const float* hi = RAINBOW_COLOURS[k + 1];
        float red = lo[0] + (hi[0] - lo[0]) * w;
        float green = lo[1] + (hi[1] - lo[1]) * w;
        float blue = lo[2] + (hi[2] - lo[2]) * w;
        float a0 = (0.6f - 0.15f * f0) * alpha;
        float a1 = (0.6f - 0.15f * f1) * alpha;
        for (int j = 0; j <= RAINBOW_SEGMENTS; ++j) {
            float theta = SKY_PI * (float)j / (float)RAINBOW_SEGMENTS;
            float c = std::cos(theta);
            float sn = std::sin(theta);
            setColouredVertex(position, colour, 2 * j, mx + ux * r0 * c, r0 * sn, mz + uz * r0 * c,
                              red, green, blue, a0);
            setColouredVertex(position, colour, 2 * j + 1, mx + ux * r1 * c, r1 * sn,
                              mz + uz * r1 * c, red, green, blue, a1);
        }
        drawColouredArrays(GL_QUAD_STRIP, position, colour, 0, 2 * (RAINBOW_SEGMENTS + 1));
    }
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
}
