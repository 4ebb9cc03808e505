#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/links.h"
#include "tools/pictures/qr_encoder.h"

namespace {

QrGrid gridFromRows(const std::vector<std::string>& rows) {
    QrGrid grid;
    grid.size = (int)rows.size();
    for (const std::string& row : rows) {
        for (char c : row) grid.dark.push_back(c == '#');
    }
    return grid;
}

QrGrid checkerboard(int size) {
    std::vector<std::string> rows;
    for (int y = 0; y < size; ++y) {
        std::string row;
        for (int x = 0; x < size; ++x) row += (x + y) % 2 ? '#' : '.';
        rows.push_back(row);
    }
    return gridFromRows(rows);
}

int bitCount(int v) {
    int n = 0;
    for (; v; v &= v - 1) ++n;
    return n;
}

}  // namespace

TEST(QrReedSolomon, MatchesPublishedVersionOneMediumExamples) {
    // "01234567" in numeric mode and "HELLO WORLD" in alphanumeric mode, both 1-M.
    std::vector<uint8_t> digits = {16, 32, 12, 86, 97, 128, 236, 17, 236, 17, 236, 17, 236, 17, 236, 17};
    std::vector<uint8_t> digitsCheck = {165, 36, 212, 193, 237, 54, 199, 135, 44, 85};
    EXPECT_EQ(reedSolomonRemainder(digits, 10), digitsCheck);
    std::vector<uint8_t> hello = {32, 91, 11, 120, 209, 114, 220, 77, 67, 64, 236, 17, 236, 17, 236, 17};
    std::vector<uint8_t> helloCheck = {196, 35, 39, 119, 235, 215, 231, 226, 93, 23};
    EXPECT_EQ(reedSolomonRemainder(hello, 10), helloCheck);
}

TEST(QrDataCodewords, ByteModeHeaderTerminatorAndPadding) {
    std::vector<uint8_t> a = qrDataCodewords("A", 1, QrLevel::M);
    std::vector<uint8_t> expected = {0x40, 0x14, 0x10, 0xEC, 0x11, 0xEC, 0x11, 0xEC,
                                     0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC};
    EXPECT_EQ(a, expected);

    // Fourteen bytes fill 1-M exactly: the terminator ends the last codeword, no padding.
    std::vector<uint8_t> full = qrDataCodewords("abcdefghijklmn", 1, QrLevel::M);
    ASSERT_EQ(full.size(), 16u);
    EXPECT_EQ(full[0], 0x40);
    EXPECT_EQ(full[1], 0xE6);
    EXPECT_EQ(full[15], ('n' & 0x0F) << 4);
    EXPECT_TRUE(qrDataCodewords("abcdefghijklmno", 1, QrLevel::M).empty());

    // From version 10 on the length takes sixteen bits.
    std::vector<uint8_t> wide = qrDataCodewords("A", 10, QrLevel::M);
    EXPECT_EQ(wide[0], 0x40);
    EXPECT_EQ(wide[1], 0x00);
    EXPECT_EQ(wide[2], 0x14);
    EXPECT_EQ(wide[3], 0x10);
}

TEST(QrVersionFor, SmallestVersionAtTheCapacityBoundaries) {
    // Byte capacities at level M for versions 1 to 10.
    const int capacity[] = {14, 26, 42, 62, 84, 106, 122, 152, 180, 213};
    for (int v = 1; v <= 10; ++v) {
        EXPECT_EQ(qrVersionFor(capacity[v - 1], QrLevel::M), v) << v;
        if (v < 10) {
            EXPECT_EQ(qrVersionFor(capacity[v - 1] + 1, QrLevel::M), v + 1) << v;
        }
    }
    EXPECT_EQ(qrVersionFor(214, QrLevel::M), 0);
    EXPECT_EQ(qrVersionFor(17, QrLevel::L), 1);
    EXPECT_EQ(qrVersionFor(18, QrLevel::L), 2);
    EXPECT_EQ(qrVersionFor(11, QrLevel::Q), 1);
    EXPECT_EQ(qrVersionFor(60, QrLevel::Q), 5);
    EXPECT_EQ(qrVersionFor(61, QrLevel::Q), 6);
    EXPECT_EQ(qrVersionFor(7, QrLevel::H), 1);
    EXPECT_EQ(qrVersionFor(8, QrLevel::H), 2);
}

TEST(QrFormatAndVersionBits, KnownWordsAndDistance) {
    EXPECT_EQ(qrFormatBits(QrLevel::L, 0), 0x77C4);
    EXPECT_EQ(qrFormatBits(QrLevel::M, 0), 0x5412);
    EXPECT_EQ(qrFormatBits(QrLevel::Q, 0), 0x355F);
    EXPECT_EQ(qrFormatBits(QrLevel::H, 0), 0x1689);
    // Any two of the 32 format words differ in at least seven bits.
    std::vector<int> words;
    for (QrLevel level : {QrLevel::L, QrLevel::M, QrLevel::Q, QrLevel::H}) {
        for (int mask = 0; mask < 8; ++mask) words.push_back(qrFormatBits(level, mask));
    }
    for (size_t i = 0; i < words.size(); ++i) {
        for (size_t j = i + 1; j < words.size(); ++j) EXPECT_GE(bitCount(words[i] ^ words[j]), 7) << i << " " << j;
    }
    EXPECT_EQ(qrVersionBits(7), 0x07C94);
    EXPECT_EQ(qrVersionBits(8), 0x085BC);
    EXPECT_EQ(qrVersionBits(10), 0x0A4D3);
}

TEST(QrPenalty, EachRuleOnHandMadeGrids) {
    QrGrid light = gridFromRows({"......", "......", "......", "......", "......", "......"});
    EXPECT_EQ(qrPenaltyRuns(light), 12 * 4);       // twelve runs of six
    EXPECT_EQ(qrPenaltyBlocks(light), 25 * 3);     // every 2 x 2 block
    EXPECT_EQ(qrPenaltyFinderLike(light), 0);
    EXPECT_EQ(qrPenaltyBalance(light), 100);       // 50% away from half dark
    EXPECT_EQ(qrPenalty(light), 48 + 75 + 100);

    QrGrid chequered = checkerboard(11);
    EXPECT_EQ(qrPenalty(chequered), 0);

    QrGrid bar = chequered;
    for (int x = 0; x < 11; ++x) bar.dark[3 * 11 + x] = 1;
    EXPECT_EQ(qrPenaltyRuns(bar), 3 + 6);
    EXPECT_EQ(qrPenaltyBlocks(bar), 0);

    QrGrid finder = chequered;
    const std::string pattern = "....#.###.#";
    for (int x = 0; x < 11; ++x) finder.dark[5 * 11 + x] = pattern[x] == '#';
    EXPECT_EQ(qrPenaltyFinderLike(finder), 40);
    for (int x = 0; x < 11; ++x) finder.dark[5 * 11 + x] = pattern[10 - x] == '#';
    EXPECT_EQ(qrPenaltyFinderLike(finder), 40);
    EXPECT_EQ(qrPenaltyRuns(finder), 0);

    QrGrid mostlyDark = light;
    for (int i = 0; i < 20; ++i) mostlyDark.dark[i] = 1;  // 20 of 36: 55.6%
    EXPECT_EQ(qrPenaltyBalance(mostlyDark), 10);
    for (int i = 0; i < 24; ++i) mostlyDark.dark[i] = 1;  // 66.7%
    EXPECT_EQ(qrPenaltyBalance(mostlyDark), 30);
}

TEST(QrEncode, PicksTheMaskOfLowestPenalty) {
    QrSymbol symbol = encodeQr(GLADEWARDEN_WEB_ADDRESS, QrLevel::M);
    ASSERT_GT(symbol.version, 0);
    bool allEqual = true;
    for (int mask = 0; mask < 8; ++mask) {
        EXPECT_GE(symbol.maskPenalties[mask], symbol.maskPenalties[symbol.mask]) << mask;
        allEqual = allEqual && symbol.maskPenalties[mask] == symbol.maskPenalties[0];
    }
    EXPECT_FALSE(allEqual);
    EXPECT_EQ(qrPenalty(symbol.grid), symbol.maskPenalties[symbol.mask]);
}

// Finders, timing, the dark module, and the format (and version) bits read
// back from where the standard puts them.
static void expectFunctionPatterns(const QrSymbol& symbol, QrLevel level) {
    const QrGrid& g = symbol.grid;
    int n = 17 + 4 * symbol.version;
    ASSERT_EQ(g.size, n);
    for (int corner = 0; corner < 3; ++corner) {
        int ox = corner == 1 ? n - 7 : 0, oy = corner == 2 ? n - 7 : 0;
        for (int y = -1; y <= 7; ++y) {
            for (int x = -1; x <= 7; ++x) {
                int gx = ox + x, gy = oy + y;
                if (gx < 0 || gy < 0 || gx >= n || gy >= n) continue;
                // Dark border, light ring, dark 3 x 3 core, light separator.
                int ring = std::max(std::abs(x - 3), std::abs(y - 3));
                EXPECT_EQ(g.at(gx, gy), ring != 2 && ring != 4) << "corner " << corner;
            }
        }
    }
    for (int i = 8; i < n - 8; ++i) {
        EXPECT_EQ(g.at(i, 6), i % 2 == 0);
        EXPECT_EQ(g.at(6, i), i % 2 == 0);
    }
    EXPECT_TRUE(g.at(8, n - 8));
    int first = 0, second = 0;
    for (int i = 0; i <= 5; ++i) first |= g.at(8, i) << i;
    first |= g.at(8, 7) << 6 | g.at(8, 8) << 7 | g.at(7, 8) << 8;
    for (int i = 9; i < 15; ++i) first |= g.at(14 - i, 8) << i;
    for (int i = 0; i < 8; ++i) second |= g.at(n - 1 - i, 8) << i;
    for (int i = 8; i < 15; ++i) second |= g.at(8, n - 15 + i) << i;
    EXPECT_EQ(first, qrFormatBits(level, symbol.mask));
    EXPECT_EQ(second, first);
    if (symbol.version >= 7) {
        int above = 0, left = 0;
        for (int i = 0; i < 18; ++i) {
            above |= g.at(n - 11 + i % 3, i / 3) << i;
            left |= g.at(i / 3, n - 11 + i % 3) << i;
        }
        EXPECT_EQ(above, qrVersionBits(symbol.version));
        EXPECT_EQ(left, above);
    }
}

TEST(QrEncode, FunctionPatternsAndFormatBitsForEveryMask) {
    for (int length : {10, 31, 100, 150, 213}) {
        for (int mask = 0; mask < 8; ++mask) {
            QrSymbol symbol = encodeQr(std::string(length, 'x'), QrLevel::M, mask);
            ASSERT_EQ(symbol.version, qrVersionFor(length, QrLevel::M)) << length;
            ASSERT_EQ(symbol.mask, mask);
            SCOPED_TRACE("length " + std::to_string(length) + " mask " + std::to_string(mask));
            expectFunctionPatterns(symbol, QrLevel::M);
        }
    }
    expectFunctionPatterns(encodeQr("x", QrLevel::H), QrLevel::H);
}
