#pragma once

// The grass that covers the ground and the moon's face.

extern unsigned int grassTexture;
extern unsigned int moonTexture;  // 0 when the moon picture could not be loaded

void createGrassTexture();
void loadMoonTexture();

// A new texture object, bound, with linear filtering and the given wrap mode
// (a GL wrap enum) in both directions; the caller uploads the picture.
unsigned int newLinearTexture(int wrapMode);
