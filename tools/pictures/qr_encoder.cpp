#include "tools/pictures/qr_encoder.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Check codewords per block and number of blocks, by level (L, M, Q, H) and version.
const int ECC_PER_BLOCK[4][QR_MAX_VERSION + 1] = {
    {0, 7, 10, 15, 20, 26, 18, 20, 24, 30, 18},
    {0, 10, 16, 26, 18, 24, 16, 18, 22, 22, 26},
    {0, 13, 22, 18, 26, 18, 24, 18, 22, 20, 24},
    {0, 17, 28, 22, 16, 22, 28, 26, 26, 24, 28},
};
const int BLOCK_COUNT[4][QR_MAX_VERSION + 1] = {
    {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 4},
    {0, 1, 1, 1, 2, 2, 4, 4, 4, 5, 5},
    {0, 1, 1, 2, 2, 4, 4, 6, 6, 8, 8},
    {0, 1, 1, 2, 4, 4, 4, 5, 6, 8, 8},
};
// How the format bits name each level.
const int LEVEL_FORMAT_CODE[4] = {1, 0, 3, 2};

int levelIndex(QrLevel level) {
    return (int)level;
}

int symbolSize(int version) {
    return 17 + 4 * version;
}

// Modules left for data and check codewords once the function patterns are drawn.
int rawDataModules(int version) {
    int modules = (16 * version + 128) * version + 64;
    if (version >= 2) {
        int alignCount = version / 7 + 2;
        modules -= (25 * alignCount - 10) * alignCount - 55;
        if (version >= 7) modules -= 36;
    }
    return modules;
}

int dataCodewordCount(int version, QrLevel level) {
    int l = levelIndex(level);
    return rawDataModules(version) / 8 - ECC_PER_BLOCK[l][version] * BLOCK_COUNT[l][version];
}

int countBits(int version) {
    return version <= 9 ? 8 : 16;
}

std::vector<int> alignmentPositions(int version) {
    if (version == 1) return {};
    int count = version / 7 + 2;
    int step = (version * 4 + count * 2 + 1) / (count * 2 - 2) * 2;
    std::vector<int> positions(count);
    positions[0] = 6;
    for (int i = count - 1, p = symbolSize(version) - 7; i >= 1; --i, p -= step) positions[i] = p;
    return positions;
}

uint8_t gfMultiply(uint8_t a, uint8_t b) {
    int product = 0;
    for (int i = 7; i >= 0; --i) {
        product = (product << 1) ^ ((product >> 7) * 0x11D);
        if ((b >> i) & 1) product ^= a;
    }
    return (uint8_t)product;
}

// Remainder of value * 2^checkBits divided by generator, for the BCH codes.
int bchRemainder(int value, int generator, int checkBits) {
    int r = value << checkBits;
    for (int bit = 30; bit >= checkBits; --bit) {
        if ((r >> bit) & 1) r ^= generator << (bit - checkBits);
    }
    return r;
}

bool maskBit(int mask, int x, int y) {
    switch (mask) {
        case 0: return (x + y) % 2 == 0;
        case 1: return y % 2 == 0;
        case 2: return x % 3 == 0;
        case 3: return (x + y) % 3 == 0;
        case 4: return (x / 3 + y / 2) % 2 == 0;
        case 5: return x * y % 2 + x * y % 3 == 0;
        case 6: return (x * y % 2 + x * y % 3) % 2 == 0;
        default: return ((x + y) % 2 + x * y % 3) % 2 == 0;
    }
}

struct Builder {
    QrGrid grid;
    std::vector<uint8_t> isFunction;

    explicit Builder(int size) {
        grid.size = size;
        grid.dark.assign((size_t)size * size, 0);
        isFunction.assign((size_t)size * size, 0);
    }
    void setFunction(int x, int y, bool dark) {
        grid.dark[(size_t)y * grid.size + x] = dark;
        isFunction[(size_t)y * grid.size + x] = 1;
    }
    bool function(int x, int y) const { return isFunction[(size_t)y * grid.size + x] != 0; }
};

void drawFinder(Builder& b, int cx, int cy) {
    // The 7 x 7 finder with its light separator, clipped at the symbol's edge.
    for (int dy = -4; dy <= 4; ++dy) {
        for (int dx = -4; dx <= 4; ++dx) {
            int x = cx + dx, y = cy + dy;
            if (x < 0 || y < 0 || x >= b.grid.size || y >= b.grid.size) continue;
            int ring = std::max(std::abs(dx), std::abs(dy));
            b.setFunction(x, y, ring != 2 && ring != 4);
        }
    }
}

void drawFormatBits(Builder& b, int bits) {
    int size = b.grid.size;
    auto bit = [bits](int i) { return ((bits >> i) & 1) != 0; };
    for (int i = 0; i <= 5; ++i) b.setFunction(8, i, bit(i));
    b.setFunction(8, 7, bit(6));
    b.setFunction(8, 8, bit(7));
    b.setFunction(7, 8, bit(8));
    for (int i = 9; i < 15; ++i) b.setFunction(14 - i, 8, bit(i));
    for (int i = 0; i < 8; ++i) b.setFunction(size - 1 - i, 8, bit(i));
    for (int i = 8; i < 15; ++i) b.setFunction(8, size - 15 + i, bit(i));
    b.setFunction(8, size - 8, true);  // the module that is always dark
}

void drawFunctionPatterns(Builder& b, int version) {
    int size = b.grid.size;
    for (int i = 0; i < size; ++i) {
        b.setFunction(6, i, i % 2 == 0);
        b.setFunction(i, 6, i % 2 == 0);
    }
    drawFinder(b, 3, 3);
    drawFinder(b, size - 4, 3);
    drawFinder(b, 3, size - 4);
    std::vector<int> positions = alignmentPositions(version);
    int n = (int)positions.size();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            // Skip the three corners that the finders already hold.
            if ((i == 0 && j == 0) || (i == 0 && j == n - 1) || (i == n - 1 && j == 0)) continue;
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    b.setFunction(positions[i] + dx, positions[j] + dy, std::max(std::abs(dx), std::abs(dy)) != 1);
                }
            }
        }
    }
    drawFormatBits(b, 0);  // reserves the areas; the real bits come with the mask
    if (version >= 7) {
        int bits = qrVersionBits(version);
        for (int i = 0; i < 18; ++i) {
            bool dark = ((bits >> i) & 1) != 0;
            int a = size - 11 + i % 3, c = i / 3;
            b.setFunction(a, c, dark);
            b.setFunction(c, a, dark);
        }
    }
}

// Splits the data into blocks, adds each block's check codewords and interleaves them.
std::vector<uint8_t> interleavedCodewords(const std::vector<uint8_t>& data, int version, QrLevel level) {
    int l = levelIndex(level);
    int blocks = BLOCK_COUNT[l][version];
    int ecc = ECC_PER_BLOCK[l][version];
    int raw = rawDataModules(version) / 8;
    int shortBlocks = blocks - raw % blocks;
    int shortData = raw / blocks - ecc;

    std::vector<std::vector<uint8_t>> dataBlocks, eccBlocks;
    size_t next = 0;
    for (int i = 0; i < blocks; ++i) {
        int length = shortData + (i < shortBlocks ? 0 : 1);
        dataBlocks.emplace_back(data.begin() + next, data.begin() + next + length);
        next += length;
        eccBlocks.push_back(reedSolomonRemainder(dataBlocks.back(), ecc));
    }
    std::vector<uint8_t> out;
    for (int k = 0; k <= shortData; ++k) {
        for (int i = 0; i < blocks; ++i) {
            if (k < (int)dataBlocks[i].size()) out.push_back(dataBlocks[i][k]);
        }
    }
    for (int k = 0; k < ecc; ++k) {
        for (int i = 0; i < blocks; ++i) out.push_back(eccBlocks[i][k]);
    }
    return out;
}

void placeCodewords(Builder& b, const std::vector<uint8_t>& codewords) {
    int size = b.grid.size;
    size_t bitIndex = 0, totalBits = codewords.size() * 8;
    // Two-module columns from the right, snaking up and down, hopping over the timing column.
    for (int right = size - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;
        bool upward = ((right + 1) & 2) == 0;
        for (int v = 0; v < size; ++v) {
            int y = upward ? size - 1 - v : v;
            for (int j = 0; j < 2; ++j) {
                int x = right - j;
                if (b.function(x, y) || bitIndex >= totalBits) continue;
                // Any remainder bits stay light.
                b.grid.dark[(size_t)y * size + x] = (codewords[bitIndex >> 3] >> (7 - (bitIndex & 7))) & 1;
                ++bitIndex;
            }
        }
    }
}

void applyMask(Builder& b, int mask) {
    for (int y = 0; y < b.grid.size; ++y) {
        for (int x = 0; x < b.grid.size; ++x) {
            if (!b.function(x, y) && maskBit(mask, x, y)) b.grid.dark[(size_t)y * b.grid.size + x] ^= 1;
        }
    }
}

// Reads the grid along rows (transpose false) or columns.
bool moduleAlong(const QrGrid& grid, bool transpose, int line, int i) {
    return transpose ? grid.at(line, i) : grid.at(i, line);
}

}  // namespace

int qrVersionFor(size_t byteCount, QrLevel level) {
    for (int version = 1; version <= QR_MAX_VERSION; ++version) {
        size_t bits = 4 + countBits(version) + 8 * byteCount;
        if (byteCount < (1u << countBits(version)) && bits <= (size_t)dataCodewordCount(version, level) * 8) {
            return version;
        }
    }
    return 0;
}

std::vector<uint8_t> qrDataCodewords(const std::string& text, int version, QrLevel level) {
    std::vector<uint8_t> bits;
    auto append = [&bits](uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) bits.push_back((value >> i) & 1);
    };
    append(0x4, 4);  // byte mode
    append((uint32_t)text.size(), countBits(version));
    for (unsigned char c : text) append(c, 8);

    size_t capacity = (size_t)dataCodewordCount(version, level) * 8;
    if (bits.size() > capacity) return {};
    append(0, (int)std::min<size_t>(4, capacity - bits.size()));
    while (bits.size() % 8 != 0) bits.push_back(0);

    std::vector<uint8_t> codewords;
    for (size_t i = 0; i < bits.size(); i += 8) {
        uint8_t byte = 0;
        for (int j = 0; j < 8; ++j) byte = (uint8_t)(byte << 1 | bits[i + j]);
        codewords.push_back(byte);
    }
    for (uint8_t pad = 0xEC; codewords.size() < capacity / 8; pad ^= 0xEC ^ 0x11) codewords.push_back(pad);
    return codewords;
}

std::vector<uint8_t> reedSolomonRemainder(const std::vector<uint8_t>& data, int eccCount) {
    // Generator (x - a^0)(x - a^1)...(x - a^(n-1)), highest term dropped, a = 2.
    std::vector<uint8_t> generator((size_t)eccCount, 0);
    generator[eccCount - 1] = 1;
    uint8_t root = 1;
    for (int i = 0; i < eccCount; ++i) {
        for (int j = 0; j < eccCount; ++j) {
            generator[j] = gfMultiply(generator[j], root);
            if (j + 1 < eccCount) generator[j] ^= generator[j + 1];
        }
        root = gfMultiply(root, 2);
    }
    std::vector<uint8_t> remainder((size_t)eccCount, 0);
    for (uint8_t byte : data) {
        uint8_t factor = byte ^ remainder[0];
        remainder.erase(remainder.begin());
        remainder.push_back(0);
        for (int j = 0; j < eccCount; ++j) remainder[j] ^= gfMultiply(generator[j], factor);
    }
    return remainder;
}

int qrFormatBits(QrLevel level, int mask) {
    int data = LEVEL_FORMAT_CODE[levelIndex(level)] << 3 | mask;
    return (data << 10 | bchRemainder(data, 0x537, 10)) ^ 0x5412;
}

int qrVersionBits(int version) {
    return version << 12 | bchRemainder(version, 0x1F25, 12);
}

int qrPenaltyRuns(const QrGrid& grid) {
    int penalty = 0;
    for (int transpose = 0; transpose < 2; ++transpose) {
        for (int line = 0; line < grid.size; ++line) {
            int run = 1;
            for (int i = 1; i <= grid.size; ++i) {
                if (i < grid.size && moduleAlong(grid, transpose, line, i) == moduleAlong(grid, transpose, line, i - 1)) {
                    ++run;
                    continue;
                }
                if (run >= 5) penalty += 3 + (run - 5);
                run = 1;
            }
        }
    }
    return penalty;
}

int qrPenaltyBlocks(const QrGrid& grid) {
    int penalty = 0;
    for (int y = 0; y + 1 < grid.size; ++y) {
        for (int x = 0; x + 1 < grid.size; ++x) {
            bool c = grid.at(x, y);
            if (c == grid.at(x + 1, y) && c == grid.at(x, y + 1) && c == grid.at(x + 1, y + 1)) penalty += 3;
        }
    }
    return penalty;
}

int qrPenaltyFinderLike(const QrGrid& grid) {
    // 1:1:3:1:1 dark-light-dark-light-dark with four light modules on one side.
    static const uint8_t BEFORE[11] = {0, 0, 0, 0, 1, 0, 1, 1, 1, 0, 1};
    static const uint8_t AFTER[11] = {1, 0, 1, 1, 1, 0, 1, 0, 0, 0, 0};
    int penalty = 0;
    for (int transpose = 0; transpose < 2; ++transpose) {
        for (int line = 0; line < grid.size; ++line) {
            for (int start = 0; start + 11 <= grid.size; ++start) {
                bool before = true, after = true;
                for (int k = 0; k < 11; ++k) {
                    bool dark = moduleAlong(grid, transpose, line, start + k);
                    before = before && dark == (BEFORE[k] != 0);
                    after = after && dark == (AFTER[k] != 0);
                }
                penalty += (before ? 40 : 0) + (after ? 40 : 0);
            }
        }
    }
    return penalty;
}

int qrPenaltyBalance(const QrGrid& grid) {
    int dark = 0;
    for (uint8_t m : grid.dark) dark += m;
    int total = grid.size * grid.size;
    // Ten points for every full 5% step away from half dark.
    int deviationPercent = std::abs(dark * 100 - total * 50);
    return 10 * (deviationPercent / (total * 5));
}

int qrPenalty(const QrGrid& grid) {
    return qrPenaltyRuns(grid) + qrPenaltyBlocks(grid) + qrPenaltyFinderLike(grid) + qrPenaltyBalance(grid);
}

QrSymbol encodeQr(const std::string& text, QrLevel level, int onlyMask) {
    QrSymbol symbol;
    int version = qrVersionFor(text.size(), level);
    if (version == 0) return symbol;

    Builder base(symbolSize(version));
    drawFunctionPatterns(base, version);
    placeCodewords(base, interleavedCodewords(qrDataCodewords(text, version, level), version, level));

    Builder best = base;
    bool chosen = false;
    for (int mask = 0; mask < 8; ++mask) {
        Builder candidate = base;
        applyMask(candidate, mask);
        drawFormatBits(candidate, qrFormatBits(level, mask));
        symbol.maskPenalties[mask] = qrPenalty(candidate.grid);
        bool better = !chosen || symbol.maskPenalties[mask] < symbol.maskPenalties[symbol.mask];
        if (onlyMask >= 0 ? mask == onlyMask : better) {
            symbol.mask = mask;
            best = candidate;
            chosen = true;
        }
    }
    symbol.version = version;
    symbol.grid = best.grid;
    return symbol;
}
