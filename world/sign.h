#pragma once

// The wooden sign with the park's name near the player's start, on open
// ground away from trees, rocks and the stream.

extern float signX;
extern float signZ;
extern float signYaw;  // degrees about the vertical axis
extern unsigned int signTexture;
// How many times finer than its design the board is painted, so that it
// stays sharp on a scaled display; set before buildSign.
extern int signBoardScale;

// Chooses the spot and the turn, then paints and uploads the board. Needs
// the trees and rocks placed and a current rendering context.
void buildSign();
// The placement alone: signX, signZ and signYaw.
void placeSign();
// Whether the sign may stand at (x, z): clear of trees, rocks and, once the
// stream exists, its centre line.
int signSpotIsClear(float x, float z);
void drawSign();
// The board scale for a display of dpi dots per inch: the smallest power of
// two that covers the display's scale (96 dots per inch is 1), at most 4.
int signBoardScaleForDpi(int dpi);
// Paints and uploads the board again at another scale; before the first
// build only records it.
void repaintSignBoard(int scale);
