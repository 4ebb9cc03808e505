#pragma once

#include <gtest/gtest.h>

#include "audio/cues.h"
#include "audio/sound_bank.h"
#include "fakes/audio_fake.h"

// Each sound test starts from an empty bank and a fake with its defaults. In callLog(), "r4 p4" is
// a reset and a prepare on device 4 (f find, o open, p prepare, w write, u unprepare, r reset, c
// close).
struct SoundTest : ::testing::Test {
    void SetUp() override { startOver(); }
    void TearDown() override { startOver(); }
    static void startOver() {
        stopRainLoop();
        releaseSoundBank();
        resetFakeAudio();
    }
    static void load() {
        loadSoundBank();
        fakeAudio.events.clear();
    }
    static std::string callLog() {
        std::string log;
        for (const FakeAudioEvent& e : fakeAudio.events) {
            if (!log.empty()) log += " ";
            log += "fopwurc"[e.call] + std::to_string(e.device);
        }
        return log;
    }
};
