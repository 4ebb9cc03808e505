#include "core/random.h"
#include "unit/sound_test.h"

namespace {

using Cues = SoundTest;

// Devices open in start-up order: gunshot 0, rain 1, the kills 2 to 5, footstep 6, ambient 7.
void (*const CUES[8])() = {playGunshotCue,      startRainLoop,      playEnemyKillCue,
                           playRedEnemyKillCue, playRabbitKillCue,  playDeerKillCue,
                           playFootstepCue,     playNightAmbientCue};
const int SOUNDS[8] = {107, 108, 109, 116, 110, 111, 112, 115};

// Just these calls, handing over a fake's `sound` frames, four silent ones after a one-shot.
void expectPlayed(int sound, const std::string& calls) {
    ASSERT_EQ(SoundTest::callLog(), calls) << sound;
    if (calls.empty()) return;
    const WaveHeader& h = fakeAudio.events.end()[-2].header;
    EXPECT_EQ(h.data, soundSlot(sound)->buffer + 44) << sound;
    EXPECT_EQ(h.length, sound * 4u + (sound == 108 ? 0 : 16)) << sound;
    EXPECT_EQ(h.loops, sound == 108 ? 4294967295u : 0u) << sound;
    fakeAudio.events.clear();
}

}  // namespace

// A repeat while a cue plays cuts it off and plays afresh (the rain is not started twice); once it
// has ended its header is given back first.
TEST_F(Cues, EachPlaysItsSoundOnItsDeviceAndCutsOffItsLast) {
    for (int device = 0; device < 8; ++device) {
        const std::string d = std::to_string(device), play = "p" + d + " w" + d;
        startOver();
        load();
        CUES[device]();
        expectPlayed(SOUNDS[device], play);
        CUES[device]();
        expectPlayed(SOUNDS[device], device == 1 ? "" : "r" + d + " u" + d + " " + play);
        finishFakePlayback(device);
        CUES[device]();
        expectPlayed(SOUNDS[device], device == 1 ? "" : "u" + d + " " + play);
    }
}

// A day song takes a draw, srand(2) giving 45 then 29216: the second song, then the first; missing,
// it stays silent, never falling back on the other. Without the ambient device, no draw.
TEST_F(Cues, DaySongsDrawOnlyWhenTheirDeviceIsOpenAndNeverFallBack) {
    for (int missing : {114, 113}) {
        startOver();
        setFakeSoundResource(missing, {});
        load();
        seedRandom(2);
        playDayAmbientCue();
        playDayAmbientCue();
        expectPlayed(113, missing == 113 ? "" : "p7 w7");
        EXPECT_EQ(nextRandom() == 45, missing == 113) << missing;
    }
}
