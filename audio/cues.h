#pragma once

// Sound cues: each starts one sound of the bank on its device and returns at once.

extern int rainLoopPlaying;

void playGunshotCue();
void playEnemyKillCue();
void playRedEnemyKillCue();
void playRabbitKillCue();
void playDeerKillCue();
void playFootstepCue();
void playDayAmbientCue();
void playNightAmbientCue();
void startRainLoop();
void stopRainLoop();
