#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string NAMES[] = {"gunshot",       "rain_loop",     "enemy_kill",    "rabbit_kill",
                             "deer_kill",     "footstep",      "day_ambient_1", "day_ambient_2",
                             "night_ambient", "red_enemy_kill"};

// The 16-bit stereo samples, full scale 1, and the rate of the sound gen_sounds wrote as `id`.
std::vector<double> samples(int id, uint32_t* rate) {
    std::ifstream in(GLADEWARDEN_ASSET_DIR "/" + NAMES[id - 107] + ".wav", std::ios::binary);
    const std::vector<unsigned char> b{std::istreambuf_iterator<char>(in), {}};
    *rate = b.size() > 44 ? b[24] | b[25] << 8 | b[26] << 16 : 0;
    std::vector<double> x;
    for (size_t at = 44; at + 1 < b.size(); at += 2)
        x.push_back((int16_t)(b[at] | b[at + 1] << 8) / 32768.0);
    return x;
}

// dB of full scale: the mean power over the loudest window, silence after the sound counted.
double loudness(const std::vector<double>& x, uint32_t rate, double seconds) {
    const size_t window = (size_t)(seconds * rate) * 2;
    std::vector<double> power(x.size() / window + 1, 0.0);
    for (size_t i = 0; i < x.size(); ++i) power[i / window] += x[i] * x[i];
    return 10 * std::log10(*std::max_element(power.begin(), power.end()) / window + 1e-30);
}

}  // namespace

// None clips, one-shots end on silence; the shot is loudest, then the cries, then the rest.
TEST(GeneratedSounds, TheShotIsLoudestThenTheCriesThenTheRainAndTheQuietSoundsAndNoneClips) {
    for (double window : {0.05, 0.4}) {
        double db[10];
        for (int i = 0; i < 10; ++i) {
            uint32_t rate = 0;
            const std::vector<double> x = samples(107 + i, &rate);
            ASSERT_GT(x.size(), 8820u) << 107 + i;
            const auto range = std::minmax_element(x.begin(), x.end());
            EXPECT_LE(std::max(*range.second, -*range.first), 0.9) << 107 + i;
            EXPECT_TRUE(i == 1 || std::fabs(x[0]) + std::fabs(x.back()) < 0.002) << 107 + i;
            db[i] = loudness(x, rate, window);
        }
        const double shot = db[0], quiet = std::max({db[5], db[6], db[7], db[8]});
        EXPECT_LE(quiet, shot - 10) << window;
        EXPECT_LE(db[1], shot - 6) << window;  // the rain
        for (int cry : {2, 3, 4, 9}) EXPECT_LT(db[cry], shot - 2) << 107 + cry << " " << window;
        for (int cry : {2, 3, 4, 9}) EXPECT_GT(db[cry], quiet + 2) << 107 + cry << " " << window;
        for (int i = 0; i < 10; ++i) EXPECT_GT(db[i], shot - 25) << 107 + i << " " << window;
    }
}
