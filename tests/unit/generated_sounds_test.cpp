#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/sound_bank.h"
#include "fakes/audio_fake.h"

// The sounds gen_sounds wrote for this build, read back as the game will see them.

namespace {

std::vector<unsigned char> readAsset(const char* name) {
    std::ifstream in(std::string(GLADEWARDEN_ASSET_DIR) + "/" + name, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t u32At(const std::vector<unsigned char>& b, size_t at) {
    return (uint32_t)b[at] | ((uint32_t)b[at + 1] << 8) | ((uint32_t)b[at + 2] << 16) | ((uint32_t)b[at + 3] << 24);
}

uint16_t u16At(const std::vector<unsigned char>& b, size_t at) { return (uint16_t)(b[at] | (b[at + 1] << 8)); }

// One channel's samples.
std::vector<int> channel(const std::vector<unsigned char>& wave, int which) {
    std::vector<int> samples;
    for (size_t at = 44 + 2 * (size_t)which; at + 1 < wave.size(); at += 4) samples.push_back((int16_t)u16At(wave, at));
    return samples;
}

double rms(const std::vector<int>& s, size_t from, size_t count) {
    double sum = 0.0;
    for (size_t i = from; i < from + count; ++i) sum += (double)s[i] * s[i];
    return std::sqrt(sum / (double)count);
}

}  // namespace

TEST(GeneratedSounds, AreFoundWithTheStoredRatesAndLengths) {
    for (const StoredSound& s : STORED_SOUNDS) {
        std::vector<unsigned char> wave = readAsset(s.file);
        ASSERT_GT(wave.size(), 44u) << s.file;
        uint32_t offset = 0, length = 0;
        findWaveData(wave.data(), (uint32_t)wave.size(), &offset, &length);
        WaveFormat f = waveFormatFromHeader(wave.data());
        EXPECT_EQ(f.samplesPerSec, s.rate) << s.file;
        EXPECT_EQ(f.channels, 2) << s.file;
        EXPECT_EQ(f.bitsPerSample, 16) << s.file;
        EXPECT_EQ(f.blockAlign, 4) << s.file;
        EXPECT_EQ(offset, 44u) << s.file;
        EXPECT_EQ(length, s.frames * 4u) << s.file;
        EXPECT_EQ(wave.size(), 44u + s.frames * 4u) << s.file;
    }
}

TEST(GeneratedSounds, HaveTheCanonicalHeader) {
    for (const StoredSound& s : STORED_SOUNDS) {
        std::vector<unsigned char> wave = readAsset(s.file);
        ASSERT_EQ(wave.size(), 44u + s.frames * 4u) << s.file;
        EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0) << s.file;
        EXPECT_EQ(u32At(wave, 4), wave.size() - 8) << s.file;
        EXPECT_EQ(std::memcmp(wave.data() + 8, "WAVEfmt ", 8), 0) << s.file;
        EXPECT_EQ(u32At(wave, 16), 16u) << s.file;
        EXPECT_EQ(u16At(wave, 20), 1) << s.file;  // PCM
        EXPECT_EQ(u32At(wave, 28), s.rate * 4) << s.file;
        EXPECT_EQ(u16At(wave, 32), 4) << s.file;
        EXPECT_EQ(std::memcmp(wave.data() + 36, "data", 4), 0) << s.file;
    }
}

TEST(GeneratedSounds, StayBelowFullScaleAndStartAndEndQuietly) {
    for (const StoredSound& s : STORED_SOUNDS) {
        std::vector<unsigned char> wave = readAsset(s.file);
        ASSERT_EQ(wave.size(), 44u + s.frames * 4u) << s.file;
        for (int c = 0; c < 2; ++c) {
            std::vector<int> samples = channel(wave, c);
            int peak = 0;
            for (int v : samples) peak = std::max(peak, std::abs(v));
            EXPECT_LE(peak, (int)(0.9 * 32767)) << s.file;
            // Something is there: a silent file is a broken generator.
            EXPECT_GT(peak, 32767 / 4) << s.file;
            if (std::string(s.file) == "rain_loop.wav") continue;
            EXPECT_LE(std::abs(samples.front()), 64) << s.file;
            EXPECT_LE(std::abs(samples.back()), 64) << s.file;
        }
    }
}

TEST(GeneratedSounds, RainLoopRunsOnFromItsEndIntoItsStart) {
    std::vector<unsigned char> wave = readAsset("rain_loop.wav");
    ASSERT_GT(wave.size(), 44u + 22050u * 4u);
    for (int c = 0; c < 2; ++c) {
        std::vector<int> s = channel(wave, c);
        std::vector<int> steps;
        for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
        std::sort(steps.begin(), steps.end());
        int typical = steps[steps.size() * 99 / 100];
        EXPECT_LE(std::abs(s.front() - s.back()), typical) << "channel " << c;

        // No dip at the seam either: the rain is as loud there as anywhere.
        // (The quietest 10 ms of the loop are about 0.6 of its average.)
        size_t window = 220;
        double whole = rms(s, 0, s.size());
        EXPECT_GT(rms(s, 0, window), 0.5 * whole) << "channel " << c;
        EXPECT_GT(rms(s, s.size() - window, window), 0.5 * whole) << "channel " << c;
    }
}
