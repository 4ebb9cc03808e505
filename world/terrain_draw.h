#pragma once

// The ground as drawn each frame: grass-textured and lit, whitening in patches
// as snow settles, out to the horizon.

const int SNOW_PATCH_CELLS = 64;
const int SNOW_PATCH_BLOBS = 300;
// Below this cover no snow is drawn.
const float SNOW_LOOK_MIN_COVER = 0.01f;

// The whole ground; builds the terrain first if needed.
void drawTerrain(float cover);

// 0..1: how readily snow settles here (bilinear in a 65 x 65 map over the park).
// Builds the map on first use.
float snowPatchAt(float x, float z);
void buildSnowPatches();
