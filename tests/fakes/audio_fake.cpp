#include "fakes/audio_fake.h"

#include <cstring>

#include "audio/sound_resource.h"

FakeAudio fakeAudio;

// A driver will not unprepare a header it still plays.
struct WaveOutDevice {
    int number, prepared, playing;
};

static std::vector<unsigned char> resources[10];  // 107 to 116
static int failingOpen = -1, opensSoFar = 0;
static WaveOutDevice devices[8];

static WaveOutDevice* logged(FakeAudioCall call, WaveOutDevice* d) {
    fakeAudio.events.push_back({call, d->number, {}, {}});
    return d;
}

void putLittleEndian(std::vector<unsigned char>* b, size_t at, uint32_t value, uint32_t bytes) {
    for (uint32_t i = 0; i < bytes; ++i) (*b)[at + i] = (unsigned char)(value >> (8 * i));
}

std::vector<unsigned char> makeTestWave(uint32_t rate, uint16_t channels, uint16_t bits,
                                        uint32_t frames) {
    uint32_t align = channels * bits / 8, bytes = frames * align;
    std::vector<unsigned char> b(44 + bytes, 0);
    std::memcpy(b.data(), "RIFF    WAVEfmt ", 16);
    std::memcpy(&b[36], "data", 4);
    const uint32_t fields[][3] = {{4, 36 + bytes, 4}, {16, 16, 4},   {20, 1, 2},
                                  {22, channels, 2},  {24, rate, 4}, {28, rate * align, 4},
                                  {32, align, 2},     {34, bits, 2}, {40, bytes, 4}};
    for (const auto& f : fields) putLittleEndian(&b, f[0], f[1], f[2]);
    return b;
}

void resetFakeAudio() {
    fakeAudio.events.clear();
    for (int id = 107; id <= 116; ++id) resources[id - 107] = makeTestWave(100 * id, 2, 16, id);
    failingOpen = -1;
    opensSoFar = 0;
}

void setFakeSoundResource(int id, const std::vector<unsigned char>& bytes) {
    resources[id - 107] = bytes;
}
void failFakeOpen(int openNumber) { failingOpen = openNumber; }
void finishFakePlayback(int openNumber) { devices[openNumber].playing = 0; }

const unsigned char* findSoundResource(int id, uint32_t* size) {
    fakeAudio.events.push_back({FAKE_FIND, id, {}, {}});
    *size = (uint32_t)resources[id - 107].size();
    return *size ? resources[id - 107].data() : nullptr;
}

WaveOutDevice* openWaveOut(const WaveFormat* format) {
    int number = opensSoFar++;
    fakeAudio.events.push_back({FAKE_OPEN, number, *format, {}});
    return number == failingOpen || number >= 8 ? nullptr
                                                : &(devices[number] = WaveOutDevice{number, 0, 0});
}

void prepareWaveOutHeader(WaveOutDevice* d, const WaveHeader* header) {
    logged(FAKE_PREPARE, d)->prepared = 1;
    fakeAudio.events.back().header = *header;
}

void writeWaveOutHeader(WaveOutDevice* d) { logged(FAKE_WRITE, d)->playing = 1; }
void unprepareWaveOutHeader(WaveOutDevice* d) { logged(FAKE_UNPREPARE, d)->prepared = d->playing; }
int waveOutHeaderPrepared(const WaveOutDevice* d) { return d->prepared; }
int waveOutHoldsHeader(const WaveOutDevice* d) { return d->playing; }
void resetWaveOut(WaveOutDevice* d) { logged(FAKE_RESET, d)->playing = 0; }
void closeWaveOut(WaveOutDevice* d) { logged(FAKE_CLOSE, d); }
