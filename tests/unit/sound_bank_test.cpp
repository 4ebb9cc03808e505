#include <string>
#include <vector>

#include "unit/sound_test.h"

namespace {

using SoundBank = SoundTest;

// A canonical WAVE of 100 stereo frames (400 data bytes) with one 32-bit field changed (none at 0),
// cut or padded to `size` bytes; or with another chunk of `length` bytes in front of its data
// chunk.
std::vector<unsigned char> wave(size_t at, uint32_t value, size_t size = 444,
                                uint32_t frames = 100) {
    std::vector<unsigned char> w = makeTestWave(22050, 2, 16, frames);
    if (at) putLittleEndian(&w, at, value);
    w.resize(size, 0);
    return w;
}

std::vector<unsigned char> withChunk(const char* tag, uint32_t length) {
    std::vector<unsigned char> w = wave(0, 0), chunk(tag, tag + 4);
    chunk.resize(8 + length + (length & 1), 0x5A);
    putLittleEndian(&chunk, 4, length);
    w.insert(w.begin() + 36, chunk.begin(), chunk.end());
    return w;
}

}  // namespace

TEST(FindWaveData, WalksTheChunksOrFallsBackOnTheCanonicalLayout) {
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        uint32_t offset, length;
    } cases[] = {{"canonical", wave(0, 0), 44, 400},
                 {"a long chunk first", withChunk("LIST", 300), 352, 400},
                 {"an odd chunk and its pad byte first", withChunk("note", 7), 60, 400},
                 {"no data chunk, ten bytes more", wave(36, 0x6B6E756A /* "junk" */, 454), 44, 410},
                 {"a chunk length that would wrap", wave(16, 0xFFFFFFF8u, 454), 44, 410},
                 {"a data length past the end", wave(40, 0x01020304), 44, 0x01020304},
                 {"a data header that ends the file", wave(40, 5, 44, 0), 44, 5},
                 {"shorter than a header", wave(0, 0, 43, 0), 44, 0xFFFFFFFFu}};
    for (const auto& c : cases) {
        uint32_t offset = 0, length = 0;
        findWaveData(c.bytes.data(), (uint32_t)c.bytes.size(), &offset, &length);
        EXPECT_EQ(std::make_pair(offset, length), std::make_pair(c.offset, c.length)) << c.name;
    }
}

TEST_F(SoundBank, LoadsAndPlacesEachSoundAndOpensItsDeviceInStartUpOrderAndFormat) {
    std::vector<unsigned char> mono = makeTestWave(11025, 1, 8, 10),
                               more = makeTestWave(22050, 2, 16, 30);
    // A wrong tag, byte rate and block align, none of which is read.
    putLittleEndian(&mono, 20, 3, 2);
    putLittleEndian(&mono, 28, 12345);
    putLittleEndian(&mono, 32, 9, 2);
    std::fill(more.begin() + 44, more.end(), 0x11);
    more.insert(more.end(), 24,
                0xAA);  // more after the data: the silence tail overwrites its start
    const std::vector<unsigned char> resources[10] = {
        more,
        {},
        mono,
        makeTestWave(96000, 300, 16, 10) /* its tail would not fit the spare room */,
        makeTestWave(8000, 32, 16, 10) /* just fits */,
        wave(40, 450) /* claims more than it holds */,
        {},
        makeTestWave(10, 2, 16, 10),
        {1} /* one byte */,
        wave(0, 0, 30) /* ends before its bits per sample */};
    for (int id = 107; id <= 116; ++id) setFakeSoundResource(id, resources[id - 107]);
    failFakeOpen(0);
    loadSoundBank();
    EXPECT_EQ(callLog(), "f107 f108 f109 f116 f110 f111 o0 o1 o2 o3 f112 o4 f113 f114 f115");
    std::string formats;  // tag, rate, channels, bits, block align, bytes a second, extra size
    for (const FakeAudioEvent& e : fakeAudio.events)
        for (uint32_t v : {0u + e.format.formatTag, e.format.samplesPerSec, 0u + e.format.channels,
                           0u + e.format.bitsPerSample, 0u + e.format.blockAlign,
                           e.format.avgBytesPerSec, 0u + e.format.cbSize})
            formats += e.call == FAKE_OPEN ? std::to_string(v) + " " : "";
    EXPECT_EQ(formats,
              "1 22050 2 16 4 88200 0 1 11025 1 8 1 11025 0 1 22050 2 0 0 0 0 "
              "1 8000 32 16 64 512000 0 1 22050 2 16 4 88200 0 ");
    // The sound in 300 channels is read in full, then refused a device.
    const SoundOutput& rabbit = soundOutputs[OUTPUT_RABBIT_KILL];
    EXPECT_EQ(rabbit.format.channels, 300);
    EXPECT_EQ(rabbit.format.samplesPerSec, 96000u);
    EXPECT_EQ(rabbit.device, nullptr);
    EXPECT_EQ(soundOutputs[OUTPUT_GUNSHOT].device, nullptr);
    const unsigned char* end = soundSlot(107)->buffer + 44 + 120;
    EXPECT_EQ(std::string(end - 1, end + 17), "\x11" + std::string(16, '\0') + "\xAA");
    std::string places;  // loaded/offset/length of the data, 107 to 116
    for (const SoundSlot& s : soundSlots)
        places += std::to_string(s.loaded) + "/" + std::to_string(s.dataOffset) + "/" +
                  std::to_string(s.dataLength) + " ";
    // The sound in 300 channels, and without the first ambient sound the other two, are loaded but
    // never placed.
    EXPECT_EQ(places, "1/44/120 0/0/0 1/44/10 1/0/0 1/44/640 1/44/400 0/0/0 1/0/0 1/0/0 1/30/0 ");
}

TEST_F(SoundBank, ReleaseStopsClosesAndFreesEverything) {
    load();
    playGunshotCue();
    startRainLoop();
    playNightAmbientCue();
    finishFakePlayback(7);
    fakeAudio.events.clear();
    releaseSoundBank();
    // Gunshot, rain, footstep, the kills, ambient; a header is given back before its device closes.
    EXPECT_EQ(callLog(), "r0 u0 c0 r1 u1 c1 r6 c6 r2 c2 r3 c3 r4 c4 r5 c5 r7 u7 c7");
    for (const SoundSlot& s : soundSlots) {
        EXPECT_EQ(s.buffer, nullptr);
        EXPECT_EQ(s.loaded, 0);
        EXPECT_EQ(s.size, 0u);
    }
    for (const SoundOutput& o : soundOutputs) EXPECT_EQ(o.device, nullptr);
}
