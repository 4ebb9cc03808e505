#include <vector>

#include "core/random.h"
#include "unit/sound_test.h"

namespace {

using Cues = SoundTest;

// Devices open in start-up order (gunshot 0, rain 1, the kills 2 to 5, footstep 6, ambient 7). The
// calls of a play, a repeat while it plays (cut off and played afresh; rain is not started twice)
// and a repeat once it has ended.
const struct Cue {
    void (*cue)();
    int sound;
    const char* calls[3];
} CUES[] = {{playGunshotCue, 107, {"p0 w0", "r0 u0 p0 w0", "u0 p0 w0"}},
            {startRainLoop, 108, {"p1 w1", "", ""}},
            {playEnemyKillCue, 109, {"p2 w2", "r2 u2 p2 w2", "u2 p2 w2"}},
            {playRedEnemyKillCue, 116, {"p3 w3", "r3 u3 p3 w3", "u3 p3 w3"}},
            {playRabbitKillCue, 110, {"p4 w4", "r4 u4 p4 w4", "u4 p4 w4"}},
            {playDeerKillCue, 111, {"p5 w5", "r5 u5 p5 w5", "u5 p5 w5"}},
            {playFootstepCue, 112, {"p6 w6", "r6 u6 p6 w6", "u6 p6 w6"}},
            {playNightAmbientCue, 115, {"p7 w7", "r7 u7 p7 w7", "u7 p7 w7"}}};

// The log holds just these calls, and their prepare handed over the sound from its first sample: a
// one-shot with four silent 4-byte frames after it, the rain looped endlessly without them. (A fake
// sound has as many frames as its id.)
void expectPlayed(int sound, const std::string& calls) {
    ASSERT_EQ(SoundTest::callLog(), calls);
    if (calls.empty()) return;
    const WaveHeader& h = fakeAudio.events.end()[-2].header;
    bool loop = sound == 108;
    EXPECT_EQ(h.data, soundSlot(sound)->buffer + 44);
    EXPECT_EQ(h.length, sound * 4u + (loop ? 0 : 16));
    EXPECT_EQ(std::to_string(h.flags) + " " + std::to_string(h.loops),
              loop ? "12 4294967295" : "0 0");
}

}  // namespace

TEST_F(Cues, EachPlaysItsSoundOnItsDeviceCutsOffItsLastAndIsSilentWithoutEither) {
    for (int device = 0; device < 8; ++device) {
        const Cue& c = CUES[device];
        SCOPED_TRACE(c.sound);
        startOver();
        load();
        for (int i = 0; i < 3; ++i) {
            if (i == 2) finishFakePlayback(device);
            fakeAudio.events.clear();
            c.cue();
            expectPlayed(c.sound, c.calls[i]);
        }
        EXPECT_EQ(rainLoopPlaying, c.sound == 108);
        if (c.sound == 108) {  // stopped once, then a fresh loop from the start
            fakeAudio.events.clear();
            stopRainLoop();
            stopRainLoop();
            EXPECT_EQ(callLog() + std::to_string(rainLoopPlaying), "r1 u10");
            fakeAudio.events.clear();
            startRainLoop();
            expectPlayed(108, "p1 w1");
        }
        for (int fault = 0; fault < 2; ++fault) {  // its sound missing, its device not open
            startOver();
            if (fault)
                failFakeOpen(device);
            else
                setFakeSoundResource(c.sound, {});
            load();
            c.cue();
            EXPECT_EQ(callLog() + std::to_string(rainLoopPlaying), "0");
        }
    }
}

TEST_F(Cues, DayAmbientDrawsOneOfTwoSongsOnlyWhenItsDeviceIsOpen) {
    for (int missing : {0, 114, 113}) {  // without 113 the ambient device never opens
        startOver();
        if (missing) setFakeSoundResource(missing, {});
        load();
        seedRandom(99);
        std::vector<int> draws(30);
        for (int& draw : draws) draw = nextRandom();
        seedRandom(99);
        playNightAmbientCue();  // the header is prepared from here on
        finishFakePlayback(7);
        for (int draw : draws) {
            int song = draw % 2 == 1 ? 114 : 113;
            fakeAudio.events.clear();
            playDayAmbientCue();
            finishFakePlayback(7);
            expectPlayed(song, song == missing || missing == 113
                                   ? ""
                                   : "u7 p7 w7");  // no falling back on the other
        }
        EXPECT_TRUE(missing != 113 || nextRandom() == draws[0]);  // no device, no draw
    }
}
