#pragma once

#include <cstdint>
#include <vector>

#include "audio/wave_out.h"

// A recording stand-in for the executable's resources and the wave-output
// devices. By default every sound resource is there (a silent canonical WAVE
// of the stored rate and length) and every device opens. Devices keep their
// header's flags as a driver does, and count each call a real driver would
// refuse or that would touch a header while the device holds it.

enum FakeAudioCall { FAKE_FIND, FAKE_OPEN, FAKE_PREPARE, FAKE_WRITE, FAKE_UNPREPARE, FAKE_RESET, FAKE_CLOSE };

struct FakeAudioEvent {
    FakeAudioCall call;
    int device;         // open number of the device (0 for the first open); -1 for FAKE_FIND
    int resource;       // FAKE_FIND: the id looked up
    WaveFormat format;  // FAKE_OPEN
    WaveHeader header;  // FAKE_PREPARE: the request handed in
};

struct FakeAudio {
    std::vector<FakeAudioEvent> events;
    int misuses;
};

extern FakeAudio fakeAudio;

// Restores the defaults and empties the log; devices from earlier opens are forgotten.
void resetFakeAudio();
void setFakeSoundResource(int id, const std::vector<unsigned char>& bytes);
void removeFakeSoundResource(int id);
// Opens numbered from 0 in the order they come; these ones fail.
void failFakeOpen(int openNumber);
void failAllFakeOpens();
// The device played its header to the end and let go of it.
void finishFakePlayback(int openNumber);
// The device with this open number, or null.
WaveOutDevice* fakeDevice(int openNumber);
int fakeDeviceNumber(const WaveOutDevice* device);
int fakeDeviceIsOpen(int openNumber);

// The shipped sounds: resource id, generated file, rate, and frames (rate x
// length, rounded half up). All are 16-bit stereo.
struct StoredSound {
    int id;
    const char* file;
    uint32_t rate;
    uint32_t frames;
};
const int STORED_SOUND_COUNT = 10;
extern const StoredSound STORED_SOUNDS[STORED_SOUND_COUNT];

// A canonical 16-byte-"fmt " PCM WAVE of silent frames.
std::vector<unsigned char> makeTestWave(uint32_t rate, uint16_t channels, uint16_t bits, uint32_t frames);
