#pragma once
// A QR code encoder for short texts in byte mode, versions 1 to 10 at any
// error correction level: enough for a web address or a payment link.
#include <cstdint>
#include <string>
#include <vector>

enum class QrLevel { L, M, Q, H };

const int QR_MAX_VERSION = 10;

// Modules row by row, 1 dark and 0 light; the quiet zone is not included.
struct QrGrid {
    int size = 0;
    std::vector<uint8_t> dark;
    bool at(int x, int y) const { return dark[(size_t)y * size + x] != 0; }
};

struct QrSymbol {
    int version = 0;
    int mask = 0;
    int maskPenalties[8] = {};
    QrGrid grid;
};

// The smallest version whose byte-mode capacity holds byteCount, or 0.
int qrVersionFor(size_t byteCount, QrLevel level);

// Mode, count, the bytes, terminator and padding: the data codewords before
// error correction is added; empty when the text does not fit the version.
std::vector<uint8_t> qrDataCodewords(const std::string& text, int version, QrLevel level);

// The eccCount Reed-Solomon check codewords of one block.
std::vector<uint8_t> reedSolomonRemainder(const std::vector<uint8_t>& data, int eccCount);

// The 15 format bits (level and mask with their BCH check, already XORed),
// and the 18 version bits of versions 7 and up.
int qrFormatBits(QrLevel level, int mask);
int qrVersionBits(int version);

// The four penalty rules that decide which mask a symbol gets; qrPenalty is their sum.
int qrPenaltyRuns(const QrGrid& grid);
int qrPenaltyBlocks(const QrGrid& grid);
int qrPenaltyFinderLike(const QrGrid& grid);
int qrPenaltyBalance(const QrGrid& grid);
int qrPenalty(const QrGrid& grid);

// The whole symbol with the mask of lowest penalty, or with onlyMask when that
// is 0..7; version 0 when the text does not fit.
QrSymbol encodeQr(const std::string& text, QrLevel level, int onlyMask = -1);
