#include "hud/font.h"

// No window fonts here: the lists stay unbuilt and text draws nothing.
unsigned int fontListBase = 0;

void buildFontLists(void*) {}
