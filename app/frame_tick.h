#pragma once

#include <cstdint>

// One frame of the game, run for every 16 ms timer message.

const float MAX_FRAME_SECONDS = 0.1f;
const float NIGHT_EASE_RATE = 1.5f;
const float FOOTSTEP_INTERVAL = 0.4f;

struct RainbowState {
    int active;
    float age;    // seconds since the rain stopped
    float alpha;  // 0..1
    float yaw;    // degrees: where the player looked when the rain stopped
};

// What the frame tick carries from one frame to the next.
struct FrameState {
    int64_t frequency;    // performance-counter counts per second
    int64_t lastCounter;  // the counter at the previous frame
    int firstFrame;       // the next frame re-reads the counter before it measures
    float footstepTimer;  // seconds to the next footstep cue
    float ambientTimer;   // seconds to the next ambient roll
    int victoryShown;     // this game's victory has been counted
    int victoryCount;     // victories since the Donate box last opened by itself
};

extern FrameState theFrame;
extern RainbowState theRainbow;

// The window exists: the frame clock starts and every timer, count and the
// rainbow start at rest.
void startFrameClock();
// A new game: its first frame measures no time and its victory counts anew.
void frameStateNewGame();
// Rain stopping by day: a rainbow rises where the player looks.
void startRainbow(float yaw);
float frameDeltaSeconds();
// Steps of the frame's simulation, in the order it runs them.
void easeNightBlend(float dt);
void scheduleFootsteps(float dt);
void rollAmbientSound(float dt);
void ageRainbow(float dt);

// The steps of a frame: the world's updates, then the drawing.
void simulateFrame(float dt);
// The 3-D pass in the view's projection (zoomed with the binoculars).
void drawScenePass();
// The scene pass, then rain or snow and the HUD over it.
void drawFrame();
void frameTick();
