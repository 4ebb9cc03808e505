#include "audio/cues.h"

// Until the sound bank is loaded there is no open device, and a cue without
// an open device does nothing.
int rainLoopPlaying = 0;

void playGunshotCue() {}
void playEnemyKillCue() {}
void playRedEnemyKillCue() {}
void playRabbitKillCue() {}
void playDeerKillCue() {}
void playFootstepCue() {}
void playDayAmbientCue() {}
void playNightAmbientCue() {}
void startRainLoop() {}
void stopRainLoop() {}
