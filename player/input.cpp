#include "player/input.h"

// Set when the window is made (shellWindowCreated), before any key or mouse message.
InputState theInput;
