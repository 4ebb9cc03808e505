#include <algorithm>
#include <vector>

#include "core/random.h"
#include "unit/sound_test.h"

namespace {

class Cues : public SoundTest {
protected:
    void load() {
        loadSoundBank();
        fakeAudio.events.clear();
    }

    static int deviceOf(SoundOutputId output) { return fakeDeviceNumber(soundOutputs[output].device); }

    // The calls made since the log was last cleared, as a list of kinds.
    static std::vector<FakeAudioCall> calls() {
        std::vector<FakeAudioCall> kinds;
        for (const FakeAudioEvent& e : fakeAudio.events) kinds.push_back(e.call);
        return kinds;
    }

    static const FakeAudioEvent* lastPrepare() {
        for (auto e = fakeAudio.events.rbegin(); e != fakeAudio.events.rend(); ++e)
            if (e->call == FAKE_PREPARE) return &*e;
        return nullptr;
    }

    // The last playback handed to a device was this sound, from its first sample to the end of its tail.
    static void expectPlayed(int soundId, SoundOutputId output, uint32_t flags, uint32_t loops) {
        const FakeAudioEvent* p = lastPrepare();
        ASSERT_NE(p, nullptr);
        const SoundSlot* s = soundSlot(soundId);
        EXPECT_EQ(p->device, deviceOf(output));
        EXPECT_EQ(p->header.data, s->buffer + s->dataOffset);
        EXPECT_EQ(p->header.length, s->dataLength + 16u);
        EXPECT_EQ(p->header.flags, flags);
        EXPECT_EQ(p->header.loops, loops);
        ASSERT_EQ(fakeAudio.events.back().call, FAKE_WRITE);
        EXPECT_EQ(fakeAudio.events.back().device, deviceOf(output));
    }
};

struct CueCase {
    void (*cue)();
    int sound;
    SoundOutputId output;
};

const CueCase ONE_SHOTS[] = {
    {playGunshotCue, SOUND_GUNSHOT, OUTPUT_GUNSHOT},
    {playEnemyKillCue, SOUND_ENEMY_KILL, OUTPUT_ENEMY_KILL},
    {playRedEnemyKillCue, SOUND_RED_ENEMY_KILL, OUTPUT_RED_ENEMY_KILL},
    {playRabbitKillCue, SOUND_RABBIT_KILL, OUTPUT_RABBIT_KILL},
    {playDeerKillCue, SOUND_DEER_KILL, OUTPUT_DEER_KILL},
    {playFootstepCue, SOUND_FOOTSTEP, OUTPUT_FOOTSTEP},
    {playNightAmbientCue, SOUND_NIGHT_AMBIENT, OUTPUT_AMBIENT},
};

}  // namespace

TEST_F(Cues, EachOneShotPlaysItsSoundOnItsDevice) {
    load();
    for (const CueCase& c : ONE_SHOTS) {
        fakeAudio.events.clear();
        c.cue();
        EXPECT_EQ(calls(), (std::vector<FakeAudioCall>{FAKE_PREPARE, FAKE_WRITE})) << c.sound;
        expectPlayed(c.sound, c.output, 0, 0);
    }
    // Seven one-shots on seven different devices; the rain has the eighth.
    std::vector<int> devices;
    for (const CueCase& c : ONE_SHOTS) devices.push_back(deviceOf(c.output));
    std::sort(devices.begin(), devices.end());
    EXPECT_EQ(std::unique(devices.begin(), devices.end()), devices.end());
    EXPECT_EQ(fakeAudio.misuses, 0);
}

TEST_F(Cues, RestartingAHeldOneShotCutsTheOldOneOffFirst) {
    load();
    for (const CueCase& c : ONE_SHOTS) {
        c.cue();
        fakeAudio.events.clear();
        c.cue();  // the first is still playing
        EXPECT_EQ(calls(), (std::vector<FakeAudioCall>{FAKE_RESET, FAKE_UNPREPARE, FAKE_PREPARE, FAKE_WRITE}))
            << c.sound;
        expectPlayed(c.sound, c.output, 0, 0);

        // Once the device has let go, no reset is needed.
        finishFakePlayback(deviceOf(c.output));
        fakeAudio.events.clear();
        c.cue();
        EXPECT_EQ(calls(), (std::vector<FakeAudioCall>{FAKE_UNPREPARE, FAKE_PREPARE, FAKE_WRITE})) << c.sound;
    }
    EXPECT_EQ(fakeAudio.misuses, 0);
}

TEST_F(Cues, DayAmbientDrawsBetweenTheTwoSongs) {
    load();
    seedRandomForRun(99);
    std::vector<int> draws;
    for (int i = 0; i < 40; ++i) draws.push_back(nextRandom() % 2);
    seedRandomForRun(99);
    int played[2] = {0, 0};
    for (int draw : draws) {
        playDayAmbientCue();
        expectPlayed(draw == 1 ? SOUND_DAY_AMBIENT_2 : SOUND_DAY_AMBIENT_1, OUTPUT_AMBIENT, 0, 0);
        played[draw]++;
        finishFakePlayback(deviceOf(OUTPUT_AMBIENT));
    }
    EXPECT_GT(played[0], 0);
    EXPECT_GT(played[1], 0);
    EXPECT_EQ(fakeAudio.misuses, 0);
}

TEST_F(Cues, DayAmbientWithTheSecondSongMissingIsSilentWhenItIsDrawn) {
    removeFakeSoundResource(SOUND_DAY_AMBIENT_2);
    load();
    seedRandomForRun(4);
    std::vector<int> draws;
    for (int i = 0; i < 30; ++i) draws.push_back(nextRandom() % 2);
    seedRandomForRun(4);
    int silent = 0;
    for (int draw : draws) {
        fakeAudio.events.clear();
        playDayAmbientCue();
        if (draw == 1) {
            EXPECT_TRUE(fakeAudio.events.empty());
            silent++;
        } else {
            expectPlayed(SOUND_DAY_AMBIENT_1, OUTPUT_AMBIENT, 0, 0);
            finishFakePlayback(deviceOf(OUTPUT_AMBIENT));
        }
    }
    EXPECT_GT(silent, 0);
    EXPECT_LT(silent, 30);
}

TEST_F(Cues, RainLoopsEndlesslyAndStartAndStopAreIdempotent) {
    load();
    startRainLoop();
    EXPECT_EQ(rainLoopPlaying, 1);
    expectPlayed(SOUND_RAIN_LOOP, OUTPUT_RAIN, 12, 0xFFFFFFFFu);
    EXPECT_EQ(soundOutputs[OUTPUT_RAIN].header.flags, 12u);

    fakeAudio.events.clear();
    startRainLoop();
    EXPECT_TRUE(fakeAudio.events.empty());

    stopRainLoop();
    EXPECT_EQ(calls(), (std::vector<FakeAudioCall>{FAKE_RESET, FAKE_UNPREPARE}));
    EXPECT_EQ(rainLoopPlaying, 0);
    EXPECT_EQ(soundOutputs[OUTPUT_RAIN].header.data, nullptr);
    EXPECT_EQ(soundOutputs[OUTPUT_RAIN].header.flags, 0u);

    fakeAudio.events.clear();
    stopRainLoop();
    EXPECT_TRUE(fakeAudio.events.empty());

    // Rain again after snow: a fresh loop from the start.
    startRainLoop();
    EXPECT_EQ(calls(), (std::vector<FakeAudioCall>{FAKE_PREPARE, FAKE_WRITE}));
    expectPlayed(SOUND_RAIN_LOOP, OUTPUT_RAIN, 12, 0xFFFFFFFFu);
    EXPECT_EQ(fakeAudio.misuses, 0);
}

TEST_F(Cues, RainIsSilentWithoutItsDeviceOrItsSound) {
    failFakeOpen(1);  // the rain's device
    load();
    startRainLoop();
    EXPECT_EQ(rainLoopPlaying, 0);
    stopRainLoop();
    EXPECT_TRUE(fakeAudio.events.empty());

    startOver();
    removeFakeSoundResource(SOUND_RAIN_LOOP);
    load();
    startRainLoop();
    EXPECT_EQ(rainLoopPlaying, 0);
    EXPECT_TRUE(fakeAudio.events.empty());
}

TEST_F(Cues, NothingSoundsWhenNoDeviceOpened) {
    failAllFakeOpens();
    load();
    for (const CueCase& c : ONE_SHOTS) c.cue();
    playDayAmbientCue();
    startRainLoop();
    stopRainLoop();
    EXPECT_TRUE(fakeAudio.events.empty());
    EXPECT_EQ(rainLoopPlaying, 0);

    // Only the device that failed is silent.
    startOver();
    failFakeOpen(0);  // the gunshot's device
    load();
    playGunshotCue();
    EXPECT_TRUE(fakeAudio.events.empty());
    playEnemyKillCue();
    expectPlayed(SOUND_ENEMY_KILL, OUTPUT_ENEMY_KILL, 0, 0);
}
