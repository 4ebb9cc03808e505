#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "audio/wave_out.h"

// Each open device keeps its WAVEHDR here: the driver reads it and writes its
// flags for as long as the header is queued, so it must not move or be reused.
struct WaveOutDevice {
    HWAVEOUT handle;
    WAVEHDR header;
};

static_assert(WAVE_HEADER_BEGIN_LOOP == WHDR_BEGINLOOP && WAVE_HEADER_END_LOOP == WHDR_ENDLOOP,
              "the game's loop flags go to the driver as they are");

namespace {
WaveOutDevice devices[MAX_WAVE_OUT_DEVICES];

// The driver changes the flags behind our back; read them fresh every time.
DWORD headerFlags(const WaveOutDevice* device) {
    return *static_cast<const volatile DWORD*>(&device->header.dwFlags);
}
}  // namespace

WaveOutDevice* openWaveOut(const WaveFormat* format) {
    WaveOutDevice* device = nullptr;
    for (WaveOutDevice& d : devices) {
        if (!d.handle) {
            device = &d;
            break;
        }
    }
    if (!device) return nullptr;
    WAVEFORMATEX wfx;
    std::memset(&wfx, 0, sizeof wfx);
    wfx.wFormatTag = format->formatTag;
    wfx.nChannels = format->channels;
    wfx.nSamplesPerSec = format->samplesPerSec;
    wfx.nAvgBytesPerSec = format->avgBytesPerSec;
    wfx.nBlockAlign = format->blockAlign;
    wfx.wBitsPerSample = format->bitsPerSample;
    wfx.cbSize = format->cbSize;
    HWAVEOUT handle = nullptr;
    if (waveOutOpen(&handle, WAVE_MAPPER, &wfx, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR || !handle)
        return nullptr;
    device->handle = handle;
    std::memset(&device->header, 0, sizeof device->header);
    return device;
}

void prepareWaveOutHeader(WaveOutDevice* device, const WaveHeader* header) {
    std::memset(&device->header, 0, sizeof device->header);
    device->header.lpData = reinterpret_cast<LPSTR>(header->data);
    device->header.dwBufferLength = header->length;
    device->header.dwFlags = header->flags;
    device->header.dwLoops = header->loops;
    waveOutPrepareHeader(device->handle, &device->header, sizeof(WAVEHDR));
}

void writeWaveOutHeader(WaveOutDevice* device) {
    waveOutWrite(device->handle, &device->header, sizeof(WAVEHDR));
}

// Once the driver has let go, nothing of the last playback is kept.
void unprepareWaveOutHeader(WaveOutDevice* device) {
    if (waveOutUnprepareHeader(device->handle, &device->header, sizeof(WAVEHDR)) ==
        MMSYSERR_NOERROR)
        std::memset(&device->header, 0, sizeof device->header);
}

int waveOutHeaderPrepared(const WaveOutDevice* device) {
    return (headerFlags(device) & WHDR_PREPARED) != 0;
}

int waveOutHoldsHeader(const WaveOutDevice* device) {
    DWORD flags = headerFlags(device);
    return (flags & WHDR_INQUEUE) != 0 && (flags & WHDR_DONE) == 0;
}

void resetWaveOut(WaveOutDevice* device) { waveOutReset(device->handle); }

void closeWaveOut(WaveOutDevice* device) {
    waveOutClose(device->handle);
    device->handle = nullptr;
}
