#pragma once

// The grass that covers the ground and the moon's face.

const int GRASS_SIZE = 64;  // texels a side

extern unsigned int grassTexture;
// The grass picture itself: GRASS_SIZE rows of GRASS_SIZE RGB texels.
const unsigned char* grassPicture();
// One texel of the grass picture's mean colour, for ground too far off to show
// its texels: lit and textured like the grass, it shows the grass's average.
extern unsigned int grassMeanTexture;
extern unsigned int moonTexture;  // 0 when the moon picture could not be loaded

void createGrassTexture();
void loadMoonTexture();

// A new texture object, bound, with linear filtering and the given wrap mode
// (a GL wrap enum) in both directions; the caller uploads the picture.
unsigned int newLinearTexture(int wrapMode);
