#pragma once

// The wooden sign with the park's name near the player's start, on open
// ground away from trees, rocks and the stream.

extern float signX;
extern float signZ;
extern float signYaw;  // degrees about the vertical axis
extern unsigned int signTexture;

// Chooses the spot and the turn, then paints and uploads the board. Needs
// the trees and rocks placed and a current rendering context.
void buildSign();
// The placement alone: signX, signZ and signYaw.
void placeSign();
// Whether the sign may stand at (x, z): clear of trees, rocks and, once the
// stream exists, its centre line.
int signSpotIsClear(float x, float z);
void drawSign();
