#pragma once

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

extern RainbowState theRainbow;
extern int firstFrame;
extern float footstepTimer;
extern float ambientTimer;
extern int victoryShown;
extern int victoryCount;

void frameClockStart();  // reads the counter and its frequency
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
