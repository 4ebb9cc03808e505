#pragma once

#include "combat/arena.h"

// The short-lived combat effects, one record per call; fading comes from each
// record's life. The world effects draw over the scene (no depth test).

void drawTracer(const ShotTracer* tracer);
void drawBloodDrop(const BloodDrop* drop);
void drawBloodPool(const BloodPool* pool);
void drawSplashDrop(const SplashDrop* drop);
void drawRipple(const Ripple* ripple);
void drawSpark(const Spark* spark);
// The whole-screen flash after a shot; v is the arena's muzzleFlash.
void drawMuzzleFlashOverlay(float v);
