#include "audio/sound_bank.h"

#include <cstdlib>
#include <cstring>

#include "audio/sound_resource.h"

SoundSlot soundSlots[SOUND_COUNT];
SoundOutput soundOutputs[SOUND_OUTPUT_COUNT];

static_assert(SOUND_OUTPUT_COUNT <= MAX_WAVE_OUT_DEVICES, "every output needs a device");

namespace {

uint32_t readU32(const unsigned char* p) {
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

uint16_t readU16(const unsigned char* p) { return (uint16_t)(p[0] | (p[1] << 8)); }

uint32_t silenceTailBytes(const WaveFormat* format) {
    return SILENCE_TAIL_BLOCKS * format->blockAlign;
}

void loadSound(int id) {
    SoundSlot* slot = soundSlot(id);
    uint32_t size = 0;
    const unsigned char* bytes = findSoundResource(id, &size);
    if (!bytes || size == 0) return;
    unsigned char* buffer =
        static_cast<unsigned char*>(std::malloc((size_t)size + SOUND_SPARE_BYTES));
    if (!buffer) return;
    std::memcpy(buffer, bytes, size);
    // A tiny or odd resource may read its header fields from here.
    std::memset(buffer + size, 0, SOUND_SPARE_BYTES);
    slot->buffer = buffer;
    slot->size = size;
    slot->loaded = 1;
}

// Finds the samples and writes the silence tail after them. A data chunk that
// claims more than the file holds is cut to what is there, so neither the tail
// nor the device ever runs past the copy.
void placeSamples(SoundSlot* slot, const WaveFormat* format) {
    findWaveData(slot->buffer, slot->size, &slot->dataOffset, &slot->dataLength);
    if (slot->dataOffset > slot->size) slot->dataOffset = slot->size;
    if (slot->dataLength > slot->size - slot->dataOffset)
        slot->dataLength = slot->size - slot->dataOffset;
    std::memset(slot->buffer + slot->dataOffset + slot->dataLength, 0, silenceTailBytes(format));
}

void prepareSound(int id, SoundOutputId outputId) {
    SoundSlot* slot = soundSlot(id);
    if (!slot->loaded) return;
    SoundOutput* output = &soundOutputs[outputId];
    output->format = waveFormatFromHeader(slot->buffer);
    // A format whose tail would not fit the spare bytes is no format we made.
    if (silenceTailBytes(&output->format) > SOUND_SPARE_BYTES) return;
    placeSamples(slot, &output->format);
    output->device = openWaveOut(&output->format);
}

// The second and third ambient sounds play in the first one's format.
void prepareSharedAmbient(int id) {
    SoundSlot* slot = soundSlot(id);
    const SoundOutput* ambient = &soundOutputs[OUTPUT_AMBIENT];
    if (!slot->loaded || !ambient->device) return;
    placeSamples(slot, &ambient->format);
}

}  // namespace

SoundSlot* soundSlot(int id) { return &soundSlots[id - FIRST_SOUND_ID]; }

void findWaveData(const unsigned char* buffer, uint32_t size, uint32_t* dataOffset,
                  uint32_t* dataLength) {
    *dataOffset = 44;
    *dataLength = size - 44;
    // 64 bits so that a huge chunk length cannot wrap the walk back to the start.
    uint64_t pos = 12;
    while (pos + 8 <= size) {
        const unsigned char* chunk = buffer + pos;
        uint32_t length = readU32(chunk + 4);
        if (std::memcmp(chunk, "data", 4) == 0) {
            *dataOffset = (uint32_t)pos + 8;
            *dataLength = length;
            return;
        }
        // Chunks are padded to an even size.
        pos += (uint64_t)length + 8 + (length & 1);
    }
}

WaveFormat waveFormatFromHeader(const unsigned char* buffer) {
    WaveFormat f{};  // cbSize 0: no extra format bytes
    f.formatTag = WAVE_FORMAT_PCM_TAG;
    f.channels = readU16(buffer + 22);
    f.samplesPerSec = readU32(buffer + 24);
    f.bitsPerSample = readU16(buffer + 34);
    f.blockAlign = (uint16_t)(f.bitsPerSample / 8 * f.channels);
    f.avgBytesPerSec = f.blockAlign * f.samplesPerSec;
    return f;
}

uint32_t playbackLength(const SoundSlot* sound, const WaveFormat* format) {
    return sound->dataLength + silenceTailBytes(format);
}

void loadSoundBank() {
    const int firstGroup[6] = {SOUND_GUNSHOT,        SOUND_RAIN_LOOP,   SOUND_ENEMY_KILL,
                               SOUND_RED_ENEMY_KILL, SOUND_RABBIT_KILL, SOUND_DEER_KILL};
    const SoundOutputId firstOutputs[6] = {OUTPUT_GUNSHOT,     OUTPUT_RAIN,
                                           OUTPUT_ENEMY_KILL,  OUTPUT_RED_ENEMY_KILL,
                                           OUTPUT_RABBIT_KILL, OUTPUT_DEER_KILL};
    for (int id : firstGroup) loadSound(id);
    for (int i = 0; i < 6; ++i) prepareSound(firstGroup[i], firstOutputs[i]);

    loadSound(SOUND_FOOTSTEP);
    prepareSound(SOUND_FOOTSTEP, OUTPUT_FOOTSTEP);

    loadSound(SOUND_DAY_AMBIENT_1);
    loadSound(SOUND_DAY_AMBIENT_2);
    loadSound(SOUND_NIGHT_AMBIENT);
    prepareSound(SOUND_DAY_AMBIENT_1, OUTPUT_AMBIENT);
    prepareSharedAmbient(SOUND_DAY_AMBIENT_2);
    prepareSharedAmbient(SOUND_NIGHT_AMBIENT);
}

void releaseSoundBank() {
    for (SoundOutput& output : soundOutputs) {
        if (output.device) {
            resetWaveOut(output.device);
            // Memory under a prepared header may not be freed.
            if (waveOutHeaderPrepared(output.device)) unprepareWaveOutHeader(output.device);
            closeWaveOut(output.device);
        }
        std::memset(&output, 0, sizeof output);
    }
    for (SoundSlot& slot : soundSlots) {
        std::free(slot.buffer);
        std::memset(&slot, 0, sizeof slot);
    }
}
