#pragma once

#include <cstdint>

#include "audio/wave_out.h"
#include "resources/resource_ids.h"

// The ten WAVE sounds carried as resources, each copied into memory once at
// start-up, and the eight devices they play on. Nothing is mixed: every sound
// has a device of its own except the three ambient ones, which share one.

// Room after each copy for the silence tail when the data chunk ends the file.
const uint32_t SOUND_SPARE_BYTES = 256;
// Zero blocks played after every sound so the device ends on silence.
const uint32_t SILENCE_TAIL_BLOCKS = 4;

// Resource ids, as the resource script numbers them.
const int SOUND_GUNSHOT = IDR_SOUND_GUNSHOT;
const int SOUND_RAIN_LOOP = IDR_SOUND_RAIN_LOOP;
const int SOUND_ENEMY_KILL = IDR_SOUND_ENEMY_KILL;
const int SOUND_RABBIT_KILL = IDR_SOUND_RABBIT_KILL;
const int SOUND_DEER_KILL = IDR_SOUND_DEER_KILL;
const int SOUND_FOOTSTEP = IDR_SOUND_FOOTSTEP;
const int SOUND_DAY_AMBIENT_1 = IDR_SOUND_DAY_AMBIENT_1;
const int SOUND_DAY_AMBIENT_2 = IDR_SOUND_DAY_AMBIENT_2;
const int SOUND_NIGHT_AMBIENT = IDR_SOUND_NIGHT_AMBIENT;
const int SOUND_RED_ENEMY_KILL = IDR_SOUND_RED_ENEMY_KILL;
const int FIRST_SOUND_ID = SOUND_GUNSHOT;
const int SOUND_COUNT = 10;

struct SoundSlot {
    unsigned char* buffer;  // the whole resource plus SOUND_SPARE_BYTES; null when not loaded
    uint32_t size;          // of the resource
    uint32_t dataOffset;
    uint32_t dataLength;
    int32_t loaded;
};

// In the order shutdown closes them.
enum SoundOutputId {
    OUTPUT_GUNSHOT,
    OUTPUT_RAIN,
    OUTPUT_FOOTSTEP,
    OUTPUT_ENEMY_KILL,
    OUTPUT_RED_ENEMY_KILL,
    OUTPUT_RABBIT_KILL,
    OUTPUT_DEER_KILL,
    OUTPUT_AMBIENT,
    SOUND_OUTPUT_COUNT
};

// The device keeps the playback header itself; the cues only hand it requests.
struct SoundOutput {
    WaveOutDevice* device;  // null when it did not open
    WaveFormat format;
};

extern SoundSlot soundSlots[SOUND_COUNT];
extern SoundOutput soundOutputs[SOUND_OUTPUT_COUNT];

// The slot of a resource id, 107 .. 116.
SoundSlot* soundSlot(int id);

// Copies the sounds and opens their devices; a sound or device that fails is
// silently left out, and its cue does nothing.
void loadSoundBank();
// Shutdown: stops and closes every open device, then frees every copy.
void releaseSoundBank();

// Finds the PCM samples by walking the RIFF chunks; without a "data" chunk
// they are taken to start right after a canonical 44-byte header.
void findWaveData(const unsigned char* buffer, uint32_t size, uint32_t* dataOffset,
                  uint32_t* dataLength);
// The playback format from the fixed places of a canonical WAVE header.
WaveFormat waveFormatFromHeader(const unsigned char* buffer);
// What a one-shot playback hands to the device: its data and the silence tail.
uint32_t playbackLength(const SoundSlot* sound, const WaveFormat* format);
