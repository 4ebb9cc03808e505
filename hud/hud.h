#pragma once

#include "combat/arena.h"
#include "player/player.h"

// The heads-up display, drawn last in every frame over the overlay space:
// counters and help text, the park map, the victory message and, with the
// binoculars on, the scope frame. Each keeps its distance, in overlay units,
// from the corner or the centre it belongs to, as laid out for 800 x 600.

const int HUD_TEXT_SIZE = 128;

// The park map in the bottom-right corner, in overlay units: its side, and
// its distance from the right edge and from the bottom.
const float MAP_SIZE = 140.0f;
const float MAP_INSET = 10.0f;
const float MAP_BOTTOM = 10.0f;
// The player's arrow keeps this far inside the map's frame.
const float MAP_ARROW_MARGIN = 7.0f;

// The binocular lens, centred on the screen.
const float SCOPE_LENS_RADIUS = 150.0f;

enum HudLine { HUD_SCORE, HUD_ENEMIES, HUD_ANIMALS, HUD_ACCURACY, HUD_COUNTER_LINES };

// Writes the text of one counter line (at most HUD_TEXT_SIZE characters with
// the terminator) as the HUD shows it.
void formatHudLine(int line, const ArenaState* arena, char* text);

// Bitmap text at an overlay position in the current colour; nothing when
// there are no font lists.
void drawText2D(float x, float y, const char* text);
// Living animals of one AnimalKind.
int countLivingAnimals(int kind);
void drawHud(const ArenaState* arena, const PlayerState* player, int binocularsOn);
