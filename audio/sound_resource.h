#pragma once

#include <cstdint>

// The executable's raw-data resources, where the sounds are kept.
// Returns the resource's bytes and sets *size, or null when it is missing,
// cannot be locked or is empty. The bytes live as long as the program.
const unsigned char* findSoundResource(int id, uint32_t* size);
