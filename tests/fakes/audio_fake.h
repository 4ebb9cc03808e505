#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/wave_out.h"

// A recording stand-in for the sound resources and devices. After a reset every sound is there,
// silent 16-bit stereo at 100 times its id in Hz and as many frames as its id, and every device
// opens and acts as a driver does.
enum FakeAudioCall {
    FAKE_FIND,
    FAKE_OPEN,
    FAKE_PREPARE,
    FAKE_WRITE,
    FAKE_UNPREPARE,
    FAKE_RESET,
    FAKE_CLOSE
};
struct FakeAudioEvent {
    FakeAudioCall call;
    int device;         // open number (0 for the first open); for FAKE_FIND the resource id
    WaveFormat format;  // FAKE_OPEN
    WaveHeader header;  // FAKE_PREPARE: the request handed in
};
struct FakeAudio {
    std::vector<FakeAudioEvent> events;
};
extern FakeAudio fakeAudio;

void resetFakeAudio();
void setFakeSoundResource(int id, const std::vector<unsigned char>& bytes);  // empty: missing
void failFakeOpen(int openNumber);                                           // opens count from 0
void finishFakePlayback(int openNumber);  // the device played its header out and let go of it
// A canonical PCM WAVE (16-byte "fmt " chunk, then "data") of silent frames.
std::vector<unsigned char> makeTestWave(uint32_t rate, uint16_t channels, uint16_t bits,
                                        uint32_t frames);
void putLittleEndian(std::vector<unsigned char>* b, size_t at, uint32_t value, uint32_t bytes = 4);
