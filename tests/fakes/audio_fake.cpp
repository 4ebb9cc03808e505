#include "fakes/audio_fake.h"

#include <cstring>
#include <map>

#include "audio/sound_resource.h"

FakeAudio fakeAudio;

const StoredSound STORED_SOUNDS[STORED_SOUND_COUNT] = {
    {107, "gunshot.wav", 44100, 25578},       {108, "rain_loop.wav", 22050, 282020},
    {109, "enemy_kill.wav", 22050, 10805},    {110, "rabbit_kill.wav", 32000, 16640},
    {111, "deer_kill.wav", 22050, 22712},     {112, "footstep.wav", 44100, 8820},
    {113, "day_ambient_1.wav", 44100, 44100}, {114, "day_ambient_2.wav", 44100, 79380},
    {115, "night_ambient.wav", 44100, 40131}, {116, "red_enemy_kill.wav", 44100, 16317},
};

struct WaveOutDevice {
    int number;
    int open;
    uint32_t flags;
};

namespace {

// The driver's header flags.
const uint32_t DONE = 1;
const uint32_t PREPARED = 2;
const uint32_t IN_QUEUE = 16;

std::map<int, std::vector<unsigned char>> storedResources() {
    std::map<int, std::vector<unsigned char>> stored;
    for (const StoredSound& s : STORED_SOUNDS) stored[s.id] = makeTestWave(s.rate, 2, 16, s.frames);
    return stored;
}

// Present from the start, for tests that never reset the fake.
std::map<int, std::vector<unsigned char>> resources = storedResources();
std::vector<int> failingOpens;
int allOpensFail = 0;
int opensSoFar = 0;

void putU16(std::vector<unsigned char>* b, uint32_t v) {
    b->push_back((unsigned char)(v & 0xFF));
    b->push_back((unsigned char)(v >> 8));
}

void putU32(std::vector<unsigned char>* b, uint32_t v) {
    putU16(b, v & 0xFFFF);
    putU16(b, v >> 16);
}

WaveOutDevice devices[MAX_WAVE_OUT_DEVICES];

int holds(const WaveOutDevice* d) { return (d->flags & IN_QUEUE) != 0; }

void record(FakeAudioCall call, const WaveOutDevice* device) {
    FakeAudioEvent e;
    std::memset(&e, 0, sizeof e);
    e.call = call;
    e.device = device ? device->number : -1;
    fakeAudio.events.push_back(e);
    if (device && !device->open) fakeAudio.misuses++;
}

}  // namespace

std::vector<unsigned char> makeTestWave(uint32_t rate, uint16_t channels, uint16_t bits, uint32_t frames) {
    uint32_t blockAlign = channels * bits / 8;
    uint32_t dataBytes = frames * blockAlign;
    std::vector<unsigned char> b;
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    putU32(&b, 36 + dataBytes);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putU32(&b, 16);
    putU16(&b, 1);
    putU16(&b, channels);
    putU32(&b, rate);
    putU32(&b, rate * blockAlign);
    putU16(&b, blockAlign);
    putU16(&b, bits);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    putU32(&b, dataBytes);
    b.resize(b.size() + dataBytes, 0);
    return b;
}

void resetFakeAudio() {
    fakeAudio.events.clear();
    fakeAudio.misuses = 0;
    resources = storedResources();
    failingOpens.clear();
    allOpensFail = 0;
    opensSoFar = 0;
    std::memset(devices, 0, sizeof devices);
}

void setFakeSoundResource(int id, const std::vector<unsigned char>& bytes) { resources[id] = bytes; }
void removeFakeSoundResource(int id) { resources.erase(id); }
void failFakeOpen(int openNumber) { failingOpens.push_back(openNumber); }
void failAllFakeOpens() { allOpensFail = 1; }

WaveOutDevice* fakeDevice(int openNumber) {
    for (WaveOutDevice& d : devices)
        if (d.open && d.number == openNumber) return &d;
    return nullptr;
}

int fakeDeviceNumber(const WaveOutDevice* device) { return device ? device->number : -1; }
int fakeDeviceIsOpen(int openNumber) { return fakeDevice(openNumber) != nullptr; }

void finishFakePlayback(int openNumber) {
    WaveOutDevice* d = fakeDevice(openNumber);
    if (d && holds(d)) d->flags = (d->flags & ~IN_QUEUE) | DONE;
}

const unsigned char* findSoundResource(int id, uint32_t* size) {
    FakeAudioEvent e;
    std::memset(&e, 0, sizeof e);
    e.call = FAKE_FIND;
    e.device = -1;
    e.resource = id;
    fakeAudio.events.push_back(e);
    auto found = resources.find(id);
    if (found == resources.end() || found->second.empty()) return nullptr;
    *size = (uint32_t)found->second.size();
    return found->second.data();
}

WaveOutDevice* openWaveOut(const WaveFormat* format) {
    int number = opensSoFar++;
    FakeAudioEvent e;
    std::memset(&e, 0, sizeof e);
    e.call = FAKE_OPEN;
    e.device = number;
    e.format = *format;
    fakeAudio.events.push_back(e);
    if (allOpensFail) return nullptr;
    for (int failing : failingOpens)
        if (failing == number) return nullptr;
    for (WaveOutDevice& d : devices) {
        if (!d.open) {
            d.number = number;
            d.open = 1;
            d.flags = 0;
            return &d;
        }
    }
    return nullptr;
}

void prepareWaveOutHeader(WaveOutDevice* device, const WaveHeader* header) {
    record(FAKE_PREPARE, device);
    fakeAudio.events.back().header = *header;
    // Preparing over a prepared header rewrites what the driver set up.
    if (device->flags & PREPARED) fakeAudio.misuses++;
    device->flags = PREPARED | (header->flags & (WAVE_HEADER_BEGIN_LOOP | WAVE_HEADER_END_LOOP));
}

void writeWaveOutHeader(WaveOutDevice* device) {
    record(FAKE_WRITE, device);
    if (!(device->flags & PREPARED) || holds(device)) {
        fakeAudio.misuses++;
        return;
    }
    device->flags = (device->flags & ~DONE) | IN_QUEUE;
}

void unprepareWaveOutHeader(WaveOutDevice* device) {
    record(FAKE_UNPREPARE, device);
    // A driver refuses while it still plays the header.
    if (holds(device)) {
        fakeAudio.misuses++;
        return;
    }
    device->flags &= ~PREPARED;
}

int waveOutHeaderPrepared(const WaveOutDevice* device) { return (device->flags & PREPARED) != 0; }
int waveOutHoldsHeader(const WaveOutDevice* device) { return holds(device); }

void resetWaveOut(WaveOutDevice* device) {
    record(FAKE_RESET, device);
    if (holds(device)) device->flags = (device->flags & ~IN_QUEUE) | DONE;
}

void closeWaveOut(WaveOutDevice* device) {
    record(FAKE_CLOSE, device);
    if (holds(device)) {
        fakeAudio.misuses++;
        return;
    }
    device->open = 0;
}
