#include <windows.h>

#include "audio/sound_resource.h"

const unsigned char* findSoundResource(int id, uint32_t* size) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return nullptr;
    const void* bytes = LockResource(loaded);
    DWORD length = SizeofResource(module, found);
    if (!bytes || length == 0) return nullptr;
    *size = length;
    return static_cast<const unsigned char*>(bytes);
}
