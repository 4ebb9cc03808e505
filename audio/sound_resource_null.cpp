#include "audio/sound_resource.h"

// The native build carries no resources.
const unsigned char* findSoundResource(int, uint32_t*) { return nullptr; }
