#include "player/input.h"

InputState theInput = {0, 0, 0, 0, 0, 0, 400, 300};
