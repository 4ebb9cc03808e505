#include <cstring>
#include <string>
#include <vector>

#include "core/random.h"
#include "unit/sound_test.h"

namespace {

void putU32(std::vector<unsigned char>* b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) (*b)[at + i] = (unsigned char)(v >> (8 * i));
}

// Inserts a chunk in front of the data chunk of a canonical WAVE.
std::vector<unsigned char> withChunkBeforeData(std::vector<unsigned char> wave, const char* tag, uint32_t length) {
    std::vector<unsigned char> chunk(tag, tag + 4);
    chunk.resize(8 + length + (length & 1), 0x5A);
    putU32(&chunk, 4, length);
    wave.insert(wave.begin() + 36, chunk.begin(), chunk.end());
    return wave;
}

struct WaveData {
    uint32_t offset;
    uint32_t length;
};

WaveData walk(const std::vector<unsigned char>& wave) {
    WaveData d = {0, 0};
    findWaveData(wave.data(), (uint32_t)wave.size(), &d.offset, &d.length);
    return d;
}

using SoundBank = SoundTest;

std::vector<int> openRates() {
    std::vector<int> rates;
    for (const FakeAudioEvent& e : fakeAudio.events)
        if (e.call == FAKE_OPEN) rates.push_back((int)e.format.samplesPerSec);
    return rates;
}

}  // namespace

TEST(FindWaveData, WalksPastOtherChunksToTheData) {
    std::vector<unsigned char> plain = makeTestWave(22050, 2, 16, 100);
    WaveData d = walk(plain);
    EXPECT_EQ(d.offset, 44u);
    EXPECT_EQ(d.length, 400u);

    std::vector<unsigned char> listed = withChunkBeforeData(plain, "LIST", 26);
    d = walk(listed);
    EXPECT_EQ(d.offset, 44u + 34u);
    EXPECT_EQ(d.length, 400u);

    // An odd-length chunk is followed by a pad byte that is not part of it.
    std::vector<unsigned char> odd = withChunkBeforeData(plain, "note", 7);
    d = walk(odd);
    EXPECT_EQ(d.offset, 44u + 16u);
    EXPECT_EQ(d.length, 400u);
    EXPECT_EQ(std::memcmp(odd.data() + d.offset - 8, "data", 4), 0);
}

TEST(FindWaveData, FallsBackToTheCanonicalLayoutWhenTheWalkRunsOut) {
    std::vector<unsigned char> wave = makeTestWave(22050, 2, 16, 100);
    std::memcpy(wave.data() + 36, "junk", 4);  // no data chunk at all
    WaveData d = walk(wave);
    EXPECT_EQ(d.offset, 44u);
    EXPECT_EQ(d.length, (uint32_t)wave.size() - 44u);

    // A chunk length that would wrap a 32-bit position still ends the walk.
    putU32(&wave, 16, 0xFFFFFFF8u);
    d = walk(wave);
    EXPECT_EQ(d.offset, 44u);
    EXPECT_EQ(d.length, (uint32_t)wave.size() - 44u);

    // A chunk header that would end past the buffer is not read.
    std::vector<unsigned char> shortWave = makeTestWave(22050, 2, 16, 0);
    shortWave.resize(43);
    d = walk(shortWave);
    EXPECT_EQ(d.offset, 44u);
}

TEST(WaveFormatFromHeader, ComputesWhatItDoesNotRead) {
    std::vector<unsigned char> wave = makeTestWave(11025, 1, 8, 10);
    // Fields the game does not read: a float tag, a wrong byte rate and block align.
    putU32(&wave, 20, 0x00010003u);
    putU32(&wave, 28, 12345);
    wave[32] = 9;
    WaveFormat f = waveFormatFromHeader(wave.data());
    EXPECT_EQ(f.formatTag, 1);
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.samplesPerSec, 11025u);
    EXPECT_EQ(f.bitsPerSample, 8);
    EXPECT_EQ(f.blockAlign, 1);
    EXPECT_EQ(f.avgBytesPerSec, 11025u);
    EXPECT_EQ(f.cbSize, 0);

    f = waveFormatFromHeader(makeTestWave(44100, 2, 16, 10).data());
    EXPECT_EQ(f.blockAlign, 4);
    EXPECT_EQ(f.avgBytesPerSec, 176400u);
}

TEST_F(SoundBank, LoadsPreparesAndOpensInStartUpOrder) {
    // A distinct rate per resource tells which sound each open is for.
    for (int id = SOUND_GUNSHOT; id <= SOUND_RED_ENEMY_KILL; ++id)
        setFakeSoundResource(id, makeTestWave((uint32_t)id * 100, 2, 16, 50));
    loadSoundBank();

    std::vector<std::string> calls;
    for (const FakeAudioEvent& e : fakeAudio.events) {
        if (e.call == FAKE_FIND) calls.push_back("find " + std::to_string(e.resource));
        if (e.call == FAKE_OPEN) calls.push_back("open " + std::to_string(e.format.samplesPerSec / 100));
    }
    const std::vector<std::string> expected = {
        "find 107", "find 108", "find 109", "find 116", "find 110", "find 111", "open 107", "open 108",
        "open 109", "open 116", "open 110", "open 111", "find 112", "open 112", "find 113", "find 114",
        "find 115", "open 113",
    };
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(fakeAudio.misuses, 0);

    const SoundOutputId outputs[] = {OUTPUT_GUNSHOT,    OUTPUT_RAIN,      OUTPUT_ENEMY_KILL, OUTPUT_RABBIT_KILL,
                                     OUTPUT_DEER_KILL,  OUTPUT_FOOTSTEP,  OUTPUT_AMBIENT,    OUTPUT_AMBIENT,
                                     OUTPUT_AMBIENT,    OUTPUT_RED_ENEMY_KILL};
    for (int id = SOUND_GUNSHOT; id <= SOUND_RED_ENEMY_KILL; ++id) {
        const SoundSlot* slot = soundSlot(id);
        EXPECT_EQ(slot->loaded, 1) << id;
        EXPECT_EQ(slot->size, 244u) << id;
        EXPECT_EQ(slot->dataOffset, 44u) << id;
        EXPECT_EQ(slot->dataLength, 200u) << id;
        EXPECT_NE(soundOutputs[outputs[id - SOUND_GUNSHOT]].device, nullptr) << id;
    }
    // The shared ambient device plays in the first ambient sound's format.
    EXPECT_EQ(soundOutputs[OUTPUT_AMBIENT].format.samplesPerSec, 11300u);
}

TEST_F(SoundBank, SilenceTailIsFourBlocksAfterTheData) {
    // Another chunk after the data: the tail overwrites its start in the copy.
    std::vector<unsigned char> wave = makeTestWave(44100, 2, 16, 30);
    wave.insert(wave.end(), {'L', 'I', 'S', 'T', 20, 0, 0, 0});
    wave.insert(wave.end(), 20, 0xAA);
    std::fill(wave.begin() + 44, wave.begin() + 164, 0x11);
    setFakeSoundResource(SOUND_GUNSHOT, wave);
    loadSoundBank();

    const SoundSlot* shot = soundSlot(SOUND_GUNSHOT);
    const unsigned char* afterData = shot->buffer + shot->dataOffset + shot->dataLength;
    EXPECT_EQ(shot->buffer[shot->dataOffset + shot->dataLength - 1], 0x11);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(afterData[i], 0) << i;
    EXPECT_EQ(afterData[16], 0xAA);
    EXPECT_EQ(playbackLength(shot, &soundOutputs[OUTPUT_GUNSHOT].format), 120u + 16u);

    // Where the data ends the file the tail lies in the spare bytes.
    const SoundSlot* rain = soundSlot(SOUND_RAIN_LOOP);
    ASSERT_EQ(rain->dataOffset + rain->dataLength, rain->size);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(rain->buffer[rain->size + i], 0) << i;
    for (int id : {SOUND_DAY_AMBIENT_2, SOUND_NIGHT_AMBIENT}) {
        const SoundSlot* s = soundSlot(id);
        EXPECT_EQ(s->dataOffset, 44u) << id;
        EXPECT_EQ(s->dataLength, s->size - 44u) << id;
    }
}

TEST_F(SoundBank, DataChunkLongerThanTheFileIsCutToWhatIsThere) {
    std::vector<unsigned char> wave = makeTestWave(44100, 2, 16, 30);
    putU32(&wave, 40, 100000);
    setFakeSoundResource(SOUND_FOOTSTEP, wave);
    loadSoundBank();
    const SoundSlot* step = soundSlot(SOUND_FOOTSTEP);
    EXPECT_EQ(step->dataOffset, 44u);
    EXPECT_EQ(step->dataLength, 120u);
    playFootstepCue();
    EXPECT_EQ(fakeAudio.events.back().call, FAKE_WRITE);
    EXPECT_EQ(fakeAudio.events[fakeAudio.events.size() - 2].header.length, 136u);
}

TEST_F(SoundBank, MissingSoundsAndFailedOpensAreLeftOutSilently) {
    removeFakeSoundResource(SOUND_RAIN_LOOP);
    setFakeSoundResource(SOUND_DEER_KILL, {});  // an empty resource counts as missing
    failFakeOpen(0);                            // the gunshot's device
    loadSoundBank();

    EXPECT_EQ(soundSlot(SOUND_RAIN_LOOP)->loaded, 0);
    EXPECT_EQ(soundSlot(SOUND_RAIN_LOOP)->buffer, nullptr);
    EXPECT_EQ(soundSlot(SOUND_DEER_KILL)->loaded, 0);
    EXPECT_EQ(soundOutputs[OUTPUT_RAIN].device, nullptr);
    EXPECT_EQ(soundOutputs[OUTPUT_DEER_KILL].device, nullptr);
    EXPECT_EQ(soundSlot(SOUND_GUNSHOT)->loaded, 1);
    EXPECT_EQ(soundOutputs[OUTPUT_GUNSHOT].device, nullptr);
    // Missing sounds get no device at all; the rest still open.
    EXPECT_EQ(openRates(), (std::vector<int>{44100, 22050, 44100, 32000, 44100, 44100}));
    EXPECT_NE(soundOutputs[OUTPUT_AMBIENT].device, nullptr);
}

TEST_F(SoundBank, WithoutTheFirstAmbientSoundTheOthersNeverPlay) {
    removeFakeSoundResource(SOUND_DAY_AMBIENT_1);
    loadSoundBank();
    EXPECT_EQ(soundOutputs[OUTPUT_AMBIENT].device, nullptr);
    // Loaded, but never given a place in a format they could play in.
    EXPECT_EQ(soundSlot(SOUND_DAY_AMBIENT_2)->loaded, 1);
    EXPECT_EQ(soundSlot(SOUND_DAY_AMBIENT_2)->dataLength, 0u);

    fakeAudio.events.clear();
    seedRandom(5);
    for (int i = 0; i < 10; ++i) {
        playDayAmbientCue();
        playNightAmbientCue();
    }
    EXPECT_TRUE(fakeAudio.events.empty());
    // No device, no draw.
    seedRandom(5);
    int first = nextRandom();
    seedRandom(5);
    playDayAmbientCue();
    EXPECT_EQ(nextRandom(), first);
}

TEST_F(SoundBank, ReleaseStopsClosesAndFreesEverything) {
    loadSoundBank();
    playGunshotCue();
    startRainLoop();
    playNightAmbientCue();
    fakeAudio.events.clear();

    releaseSoundBank();
    std::vector<int> resets, closes;
    for (const FakeAudioEvent& e : fakeAudio.events) {
        if (e.call == FAKE_RESET) resets.push_back(e.device);
        if (e.call == FAKE_CLOSE) closes.push_back(e.device);
    }
    // Opened gunshot 0, rain 1, enemy 2, red enemy 3, rabbit 4, deer 5,
    // footstep 6, ambient 7; closed gunshot, rain, footstep, the kills, ambient.
    const std::vector<int> order = {0, 1, 6, 2, 3, 4, 5, 7};
    EXPECT_EQ(resets, order);
    EXPECT_EQ(closes, order);
    EXPECT_EQ(fakeAudio.misuses, 0);
    for (int n : order) EXPECT_FALSE(fakeDeviceIsOpen(n)) << n;
    for (const SoundSlot& s : soundSlots) {
        EXPECT_EQ(s.buffer, nullptr);
        EXPECT_EQ(s.loaded, 0);
    }
    for (const SoundOutput& o : soundOutputs) EXPECT_EQ(o.device, nullptr);
}
