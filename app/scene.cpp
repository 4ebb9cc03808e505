#include "app/scene.h"

#include "combat/animals.h"
#include "combat/creature_draw.h"
#include "combat/effects_draw.h"
#include "hud/crosshair.h"
#include "render/gl.h"
#include "sky/clouds.h"
#include "sky/sky.h"
#include "world/bushes.h"
#include "world/scenery_draw.h"
#include "world/sign.h"
#include "world/terrain_draw.h"
#include "world/water_draw.h"

float sceneClock = 0.0f;

namespace {

// The height is never 0: resizeView records a zero height as 1.
void applyProjection(int width, int height, float fieldOfView) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, (double)width / (double)height, NEAR_PLANE, FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
}

// Each creature's drawing leaves out a body whose corpse timer has run out.
void drawCreatures(const ArenaState* arena) {
    ViewFrustum view = currentViewFrustum();
    for (const AnimalRecord& a : animals) {
        if (!animalInView(&view, &a)) continue;
        if (a.kind == ANIMAL_RABBIT)
            drawRabbit(&a);
        else
            drawDeer(&a);
    }
    for (int i = 0; i < arena->enemyCount; ++i) {
        const EnemyRecord& e = arena->enemies[i];
        if (enemyInView(&view, &e)) drawEnemy(&e);
    }
}

void drawEffects(const ArenaState* arena) {
    for (int i = 0; i < arena->bloodDropCount; ++i) drawBloodDrop(&arena->bloodDrops[i]);
    for (int i = 0; i < arena->bloodPoolCount; ++i) drawBloodPool(&arena->bloodPools[i]);
    for (int i = 0; i < arena->splashDropCount; ++i) drawSplashDrop(&arena->splashDrops[i]);
    for (int i = 0; i < arena->rippleCount; ++i) drawRipple(&arena->ripples[i]);
    for (int i = 0; i < arena->sparkCount; ++i) drawSpark(&arena->sparks[i]);
}

}  // namespace

void applyNormalProjection(int width, int height) { applyProjection(width, height, FIELD_OF_VIEW); }

void applyBinocularProjection(int width, int height, float zoom) {
    applyProjection(width, height, FIELD_OF_VIEW / zoom);
}

void renderScene(const PlayerState* player, ArenaState* arena, float rainbowAlpha,
                 float rainbowYaw) {
    float n = arena->nightBlend;
    // The clear colour was set by the previous pass, so a weather change shows one frame later.
    // Depth and stencil share one buffer: clearing both at once is a plain fill, where clearing
    // depth alone has to keep every stencil byte (and the moon needs the stencil clear anyway).
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glLoadIdentity();
    applyCamera(player);
    SkyColour sky = skyColour(arena->weatherMode, n);
    glClearColor(sky.red, sky.green, sky.blue, 1.0f);
    setSceneLight(n);
    drawStars(player, arena->weatherMode, n);
    drawMoon(player, arena->weatherMode, n);
    drawClouds(player, arena->weatherMode, n);
    drawRainbow(player, rainbowAlpha, rainbowYaw);
    drawTerrain(arena->snowCover);
    sceneClock += 0.016f;
    drawStream(sceneClock);
    drawFlowers();
    drawForest();
    drawSign();
    drawStreamBushes();
    drawCreatures(arena);
    if (arena->tracer.active) drawTracer(&arena->tracer);
    drawEffects(arena);
    drawCrosshair();
    drawMuzzleFlashOverlay(arena->muzzleFlash);
}
