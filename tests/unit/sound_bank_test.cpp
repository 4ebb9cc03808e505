#include <sstream>
#include <string>
#include <vector>

#include "unit/sound_test.h"

namespace {

using SoundBank = SoundTest;

// A canonical WAVE of 100 stereo frames (400 data bytes) with one 32-bit field changed (none at 0),
// cut or padded to `size` bytes.
std::vector<unsigned char> wave(size_t at, uint32_t value, size_t size = 444) {
    std::vector<unsigned char> w = makeTestWave(22050, 2, 16, 100);
    if (at) putLittleEndian(&w, at, value);
    w.resize(size, 0);
    return w;
}

}  // namespace

// Sounds load and devices open in start-up order, each in its sound's format, block align and byte
// rate worked out. 107's data follows a 7-byte chunk and pad byte, at 60; 108 and 113 are missing,
// 110 has no room for its tail, 111 just fits, 112 claims more than it holds, 116 ends early.
TEST_F(SoundBank, LoadsAndPlacesEachSoundAndOpensItsDeviceInStartUpOrderAndFormat) {
    std::vector<unsigned char> mono = makeTestWave(11025, 1, 8, 10);
    putLittleEndian(&mono, 28, 12345);  // a wrong byte rate and block align
    putLittleEndian(&mono, 32, 9, 2);
    std::vector<unsigned char> chunked = wave(0, 0), note = {'n', 'o', 't', 'e', 7, 0, 0, 0};
    note.resize(16, 0x5A);
    chunked.insert(chunked.begin() + 36, note.begin(), note.end());
    for (int id : {108, 113}) setFakeSoundResource(id, {});
    setFakeSoundResource(107, chunked);
    setFakeSoundResource(109, mono);
    setFakeSoundResource(110, makeTestWave(96000, 300, 16, 10));
    setFakeSoundResource(111, makeTestWave(96000, 32, 16, 10));
    setFakeSoundResource(112, wave(40, 450));
    setFakeSoundResource(116, wave(0, 0, 30));
    failFakeOpen(0);
    loadSoundBank();
    EXPECT_EQ(callLog(), "f107 f108 f109 f116 f110 f111 o0 o1 o2 o3 f112 o4 f113 f114 f115");
    std::ostringstream formats, places;  // of each device opened; of each sound's data
    for (const FakeAudioEvent& e : fakeAudio.events)
        if (e.call == FAKE_OPEN)
            formats << e.format.blockAlign << "/" << e.format.avgBytesPerSec << " ";
    EXPECT_EQ(formats.str(), "4/88200 1/11025 0/0 64/6144000 4/88200 ");
    EXPECT_EQ(fakeAudio.events[6].format.cbSize, 0) << "no extra format bytes";
    for (const SoundSlot& s : soundSlots)
        places << s.loaded << "/" << s.dataOffset << "/" << s.dataLength << " ";
    EXPECT_EQ(places.str(),
              "1/60/400 0/0/0 1/44/10 1/0/0 1/44/640 1/44/400 0/0/0 1/0/0 1/0/0 1/30/0 ");
}

TEST_F(SoundBank, ReleaseGivesBackEachHeaderEvenPlayedOutBeforeClosingItsDevice) {
    load();
    playGunshotCue();
    playNightAmbientCue();
    finishFakePlayback(7);
    fakeAudio.events.clear();
    releaseSoundBank();
    EXPECT_EQ(callLog(), "r0 u0 c0 r1 c1 r6 c6 r2 c2 r3 c3 r4 c4 r5 c5 r7 u7 c7");
}
