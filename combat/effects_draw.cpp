#include "combat/effects_draw.h"

#include <cmath>

#include "render/gl.h"
#include "render/overlay.h"
#include "render/primitives.h"

namespace {

enum BlendMode { BLEND_NORMAL, BLEND_ADDITIVE };

void setBlend(BlendMode mode) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, mode == BLEND_ADDITIVE ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
}

// Effects draw unlit over whatever stands in front; culling stays off for the
// flat shapes (the tracer leaves it alone).
void beginEffect(BlendMode mode, int flat) {
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    if (flat) glDisable(GL_CULL_FACE);
    setBlend(mode);
}

void endEffect(int flat) {
    glDisable(GL_BLEND);
    if (flat) glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}

float lifeFraction(float life, float maxLife) { return life / maxLife; }

// A square in the world x-y plane (not turned toward the camera).
void drawSprite(Vec3 p, float h, float r, float g, float b, float a, BlendMode mode) {
    beginEffect(mode, 1);
    glColor4f(r, g, b, a);
    glBegin(GL_QUADS);
    glVertex3f(p.x - h, p.y - h, p.z);
    glVertex3f(p.x + h, p.y - h, p.z);
    glVertex3f(p.x + h, p.y + h, p.z);
    glVertex3f(p.x - h, p.y + h, p.z);
    glEnd();
    endEffect(1);
}

// Sprites shrink to half their size as they fade.
float spriteHalfSize(float f, float size) { return (0.5f + 0.5f * f) * size; }

const int POOL_SEGMENTS = 16;
const int RIPPLE_SEGMENTS = 32;
const int FLASH_SEGMENTS = 12;
// Just above the stream's water surface.
const float RIPPLE_HEIGHT = -0.24f;

}  // namespace

void drawTracer(const ShotTracer* tracer) {
    if (tracer->timeLeft == 0.0f) return;
    float a = tracer->timeLeft / 0.2f;
    if (a > 1.0f) a = 1.0f;
    beginEffect(BLEND_ADDITIVE, 0);
    glLineWidth(3.0f);
    glBegin(GL_LINES);
    glColor4f(1.0f, 0.9f, 0.3f, a);
    glVertex3f(tracer->start.x, tracer->start.y, tracer->start.z);
    glColor4f(1.0f, 0.9f, 0.3f, 0.5f * a);
    glVertex3f(tracer->end.x, tracer->end.y, tracer->end.z);
    glEnd();
    endEffect(0);
}

void drawBloodDrop(const BloodDrop* drop) {
    float f = lifeFraction(drop->life, drop->maxLife);
    drawSprite(drop->position, spriteHalfSize(f, drop->size), drop->colour.x, drop->colour.y,
               drop->colour.z, 0.9f * f, BLEND_NORMAL);
}

void drawBloodPool(const BloodPool* pool) {
    float f = lifeFraction(pool->life, pool->maxLife);
    Vec3 p = pool->position;
    float r = pool->radius;
    beginEffect(BLEND_NORMAL, 1);
    glColor4f(0.5f, 0.0f, 0.0f, 0.7f * f);
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(p.x, p.y, p.z);
    // Three lobes along x, two along z: no two pools look quite round.
    for (int k = 0; k <= POOL_SEGMENTS; ++k) {
        CirclePoint q = circlePoint(k, POOL_SEGMENTS, PI_F);
        glVertex3f(p.x + q.c * (0.8f + 0.2f * std::sin(3.0f * q.angle)) * r, p.y,
                   p.z + q.s * (0.8f + 0.2f * std::cos(2.0f * q.angle)) * r);
    }
    glEnd();
    endEffect(1);
}

void drawSplashDrop(const SplashDrop* drop) {
    float f = lifeFraction(drop->life, drop->maxLife);
    drawSprite(drop->position, spriteHalfSize(f, drop->size), 0.7f, 0.85f, 1.0f, 0.8f * f,
               BLEND_NORMAL);
}

void drawRipple(const Ripple* ripple) {
    float f = lifeFraction(ripple->life, ripple->maxLife);
    beginEffect(BLEND_NORMAL, 1);
    glLineWidth(2.0f);
    glColor4f(0.7f, 0.85f, 1.0f, 0.5f * f);
    glBegin(GL_LINE_STRIP);
    for (int k = 0; k <= RIPPLE_SEGMENTS; ++k) {
        CirclePoint q = circlePoint(k, RIPPLE_SEGMENTS, PI_F);
        glVertex3f(ripple->position.x + ripple->radius * q.c, RIPPLE_HEIGHT,
                   ripple->position.z + ripple->radius * q.s);
    }
    glEnd();
    glLineWidth(1.0f);
    endEffect(1);
}

void drawSpark(const Spark* spark) {
    float f = lifeFraction(spark->life, spark->maxLife);
    drawSprite(spark->position, spriteHalfSize(f, 0.03f), spark->colour.x, spark->colour.y,
               spark->colour.z, f, BLEND_ADDITIVE);
}

void drawMuzzleFlashOverlay(float v) {
    if (!(v > 0.0f)) return;
    OverlaySpace space = beginOverlay();
    setBlend(BLEND_ADDITIVE);
    glColor4f(1.0f, 0.8f, 0.2f, 0.25f * v);
    glBegin(GL_QUADS);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(space.width, 0.0f);
    glVertex2f(space.width, space.height);
    glVertex2f(0.0f, space.height);
    glEnd();
    // A burst at the centre that shrinks with the flash.
    float cx = space.width / 2.0f;
    float cy = space.height / 2.0f;
    float r = 30.0f * v;
    glColor4f(1.0f, 1.0f, 0.6f, 0.8f * v);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(cx, cy);
    for (int k = 0; k <= FLASH_SEGMENTS; ++k) {
        CirclePoint q = circlePoint(k, FLASH_SEGMENTS, PI_F);
        glVertex2f(cx + r * q.c, cy + r * q.s);
    }
    glEnd();
    glDisable(GL_BLEND);
    endOverlay();
}
