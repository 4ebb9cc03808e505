#pragma once

// The grass that covers the ground and the moon's face.

extern unsigned int grassTexture;
extern unsigned int moonTexture;  // 0 when the moon picture could not be loaded

void createGrassTexture();
void loadMoonTexture();
