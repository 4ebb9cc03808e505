#pragma once

#include <gtest/gtest.h>

#include "audio/cues.h"
#include "audio/sound_bank.h"
#include "fakes/audio_fake.h"

// Each sound test starts from an empty bank and a fake with its defaults.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override { startOver(); }
    void startOver() {
        releaseSoundBank();
        resetFakeAudio();
        rainLoopPlaying = 0;
    }
    void TearDown() override { releaseSoundBank(); }
};
