#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <string>
#include <vector>

namespace {

// The sounds gen_sounds wrote for this build, as the game numbers them, 107 to 116.
const char* const FILES[] = {"gunshot.wav",       "rain_loop.wav",     "enemy_kill.wav",
                             "rabbit_kill.wav",   "deer_kill.wav",     "footstep.wav",
                             "day_ambient_1.wav", "day_ambient_2.wav", "night_ambient.wav",
                             "red_enemy_kill.wav"};

// Both channels of a 16-bit stereo file, full scale 1 (the sizes and formats are the resource
// test's to check).
struct Sound {
    uint32_t rate;
    std::vector<double> ch[2];
};

Sound read(int id) {
    std::ifstream in(std::string(GLADEWARDEN_ASSET_DIR) + "/" + FILES[id - 107], std::ios::binary);
    std::vector<unsigned char> b{std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>()};
    Sound sound = {b.size() > 44 ? b[24] | b[25] << 8 | b[26] << 16 : 0u, {}};
    for (size_t at = 44; at + 1 < b.size(); at += 2)
        sound.ch[at / 2 % 2].push_back((int16_t)(b[at] | b[at + 1] << 8) / 32768.0);
    return sound;
}

// The loudness meters' K-weighting: its +4 dB shelf above about 1.7 kHz and its cut below about 40
// Hz, each an analog section by bilinear transform (k = tan(pi f / rate)), run one after the other.
std::vector<double> kWeighted(std::vector<double> x, uint32_t rate) {
    for (int cut = 0; cut < 2; ++cut) {
        double k = std::tan(3.14159265358979 * (cut ? 38.13547 : 1681.974) / rate),
               q = cut ? 0.500327 : 0.7071752;
        double vh = 1.5848647, vb = 1.2587209, a = 1 + k / q + k * k, x1 = 0, x2 = 0, y1 = 0,
               y2 = 0;
        double b0 = cut ? 1 : (vh + vb * k / q + k * k) / a, b1 = cut ? -2 : 2 * (k * k - vh) / a;
        double b2 = cut ? 1 : (vh - vb * k / q + k * k) / a, a1 = 2 * (k * k - 1) / a,
               a2 = (1 - k / q + k * k) / a;
        for (double& v : x) {
            double y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
            x2 = x1;
            x1 = v;
            y2 = y1;
            y1 = y;
            v = y;
        }
    }
    return x;
}

// dB of full scale: the mean weighted power of both channels over the loudest window; after a short
// sound the window hears silence.
double loudness(const Sound& s, double seconds) {
    size_t n = s.ch[0].size(), window = (size_t)(seconds * s.rate);
    std::vector<double> sum(n + 1, 0.0);
    for (const std::vector<double>& raw : s.ch) {
        std::vector<double> x = kWeighted(raw, s.rate);
        for (size_t i = 0; i < n; ++i) sum[i + 1] += x[i] * x[i] / 2;
    }
    std::partial_sum(sum.begin(), sum.end(), sum.begin());
    double loudest = 1e-30;
    for (size_t i = 0; i < n; ++i)
        loudest = std::max(loudest, sum[std::min(n, i + window)] - sum[i]);
    return 10 * std::log10(loudest / (double)window);
}

}  // namespace

TEST(GeneratedSounds, TheShotIsLoudestThenTheCriesThenTheRainAndTheQuietSoundsAndNoneClips) {
    std::map<int, Sound> sounds;
    for (int id = 107; id <= 116; ++id) {
        sounds[id] = read(id);
        for (const std::vector<double>& x : sounds[id].ch) {
            ASSERT_GT(x.size(), 4410u) << id;
            EXPECT_LE(std::max(*std::max_element(x.begin(), x.end()),
                               -*std::min_element(x.begin(), x.end())),
                      0.9)
                << id;
            // One-shots start and end on silence; the rain runs on round its loop.
            EXPECT_TRUE(id == 108 || std::max(std::fabs(x.front()), std::fabs(x.back())) < 0.002)
                << id;
        }
    }
    for (double window : {0.05, 0.4}) {
        std::map<int, double> db;
        for (const auto& s : sounds) db[s.first] = loudness(s.second, window);
        double shot = db[107], quiet = std::max({db[112], db[113], db[114], db[115]});
        EXPECT_LE(quiet, shot - 10) << window;   // birds, crickets and footstep
        EXPECT_LE(db[108], shot - 6) << window;  // the rain
        for (int cry : {109, 110, 111, 116}) {
            EXPECT_LT(db[cry], shot - 2) << cry << " " << window;
            EXPECT_GT(db[cry], quiet + 2) << cry << " " << window;
        }
        for (const auto& d : db)
            EXPECT_GT(d.second, shot - 25) << d.first << " " << window;  // all still heard
    }
}
