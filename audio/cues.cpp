#include "audio/cues.h"

#include "audio/sound_bank.h"
#include "core/random.h"

int rainLoopPlaying = 0;

namespace {

// Gets the header back from the device, stopping whatever still plays on it:
// a header the device holds must not be unprepared, cleared or rewritten.
void takeBackHeader(WaveOutDevice* device) {
    if (waveOutHoldsHeader(device)) resetWaveOut(device);
    if (waveOutHeaderPrepared(device)) unprepareWaveOutHeader(device);
}

void startPlayback(SoundOutput* output, const SoundSlot* sound, uint32_t length, uint32_t flags,
                   uint32_t loops) {
    takeBackHeader(output->device);
    WaveHeader request = {sound->buffer + sound->dataOffset, length, flags, loops};
    prepareWaveOutHeader(output->device, &request);
    writeWaveOutHeader(output->device);
}

// A new request always sounds: whatever the device still plays is cut off.
void playOnce(SoundOutputId outputId, int soundId) {
    SoundOutput* output = &soundOutputs[outputId];
    const SoundSlot* sound = soundSlot(soundId);
    if (!output->device || !sound->loaded) return;
    startPlayback(output, sound, playbackLength(sound, &output->format), 0, 0);
}

}  // namespace

void playGunshotCue() { playOnce(OUTPUT_GUNSHOT, SOUND_GUNSHOT); }
void playEnemyKillCue() { playOnce(OUTPUT_ENEMY_KILL, SOUND_ENEMY_KILL); }
void playRedEnemyKillCue() { playOnce(OUTPUT_RED_ENEMY_KILL, SOUND_RED_ENEMY_KILL); }
void playRabbitKillCue() { playOnce(OUTPUT_RABBIT_KILL, SOUND_RABBIT_KILL); }
void playDeerKillCue() { playOnce(OUTPUT_DEER_KILL, SOUND_DEER_KILL); }
void playFootstepCue() { playOnce(OUTPUT_FOOTSTEP, SOUND_FOOTSTEP); }

void playDayAmbientCue() {
    // No device, no draw: seeded runs depend on the order of the draws.
    if (!soundOutputs[OUTPUT_AMBIENT].device) return;
    int soundId = nextRandom() % 2 == 1 ? SOUND_DAY_AMBIENT_2 : SOUND_DAY_AMBIENT_1;
    playOnce(OUTPUT_AMBIENT, soundId);
}

void playNightAmbientCue() { playOnce(OUTPUT_AMBIENT, SOUND_NIGHT_AMBIENT); }

void startRainLoop() {
    SoundOutput* rain = &soundOutputs[OUTPUT_RAIN];
    SoundSlot* sound = soundSlot(SOUND_RAIN_LOOP);
    if (!rain->device || !sound->loaded || rainLoopPlaying) return;
    // The loop is the data alone: a silence tail in it would be a gap every time round.
    startPlayback(rain, sound, sound->dataLength, WAVE_HEADER_BEGIN_LOOP | WAVE_HEADER_END_LOOP,
                  WAVE_LOOP_FOREVER);
    rainLoopPlaying = 1;
}

void stopRainLoop() {
    SoundOutput* rain = &soundOutputs[OUTPUT_RAIN];
    if (!rainLoopPlaying || !rain->device) return;
    resetWaveOut(rain->device);
    if (waveOutHeaderPrepared(rain->device)) unprepareWaveOutHeader(rain->device);
    rainLoopPlaying = 0;
}
