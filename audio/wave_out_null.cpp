#include "audio/wave_out.h"

// The native build has no sound device: nothing opens, so no cue ever gets
// as far as the calls below.
struct WaveOutDevice {
    int unused;
};

WaveOutDevice* openWaveOut(const WaveFormat*) { return nullptr; }
void prepareWaveOutHeader(WaveOutDevice*, const WaveHeader*) {}
void writeWaveOutHeader(WaveOutDevice*) {}
void unprepareWaveOutHeader(WaveOutDevice*) {}
int waveOutHeaderPrepared(const WaveOutDevice*) { return 0; }
int waveOutHoldsHeader(const WaveOutDevice*) { return 0; }
void resetWaveOut(WaveOutDevice*) {}
void closeWaveOut(WaveOutDevice*) {}
