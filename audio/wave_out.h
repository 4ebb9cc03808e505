#pragma once

#include <cstdint>

// The game's words for a wave-output device: open one for a PCM format, hand
// it one playback header, take the header back, stop, close. Each device
// plays one sound at a time; nothing is mixed.

// A PCM format, field for field the platform's wave format record.
struct WaveFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSec;
    uint32_t avgBytesPerSec;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t cbSize;
};

const uint16_t WAVE_FORMAT_PCM_TAG = 1;

// Header flags the game sets: the whole buffer is one loop, repeated `loops` times.
const uint32_t WAVE_HEADER_BEGIN_LOOP = 4;
const uint32_t WAVE_HEADER_END_LOOP = 8;
const uint32_t WAVE_LOOP_FOREVER = 0xFFFFFFFFu;

// What the game asks a device to play.
struct WaveHeader {
    unsigned char* data;
    uint32_t length;  // bytes
    uint32_t flags;
    uint32_t loops;
};

// An open device and the one platform header it plays from; only the
// platform file knows what is inside.
struct WaveOutDevice;

// The most devices open at once; the sound bank needs eight.
const int MAX_WAVE_OUT_DEVICES = 8;

// Null when no device opens for the format.
WaveOutDevice* openWaveOut(const WaveFormat* format);
// Copies the request into the device's header and prepares it. Only when the
// device does not hold the header (see waveOutHoldsHeader).
void prepareWaveOutHeader(WaveOutDevice* device, const WaveHeader* header);
// Queues the prepared header; playback starts at once.
void writeWaveOutHeader(WaveOutDevice* device);
// Releases the header and clears it; refused while the device holds it.
void unprepareWaveOutHeader(WaveOutDevice* device);
int waveOutHeaderPrepared(const WaveOutDevice* device);
// 1 while the header is queued or playing: it must not be touched then.
int waveOutHoldsHeader(const WaveOutDevice* device);
// Stops playback at once and hands back the header.
void resetWaveOut(WaveOutDevice* device);
void closeWaveOut(WaveOutDevice* device);
