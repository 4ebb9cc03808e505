#pragma once

// The park sign's board picture, painted once with the platform's 2-D text
// drawing: the park's name in Chinese above its English name, pale yellow
// on brown inside a darker frame.

const int SIGN_BOARD_WIDTH = 512;
const int SIGN_BOARD_HEIGHT = 256;

// "Bramwick" followed by the Chinese for "hunting park", as UTF-8.
extern const char SIGN_CHINESE_NAME[];
extern const char SIGN_ENGLISH_NAME[];

// Board colours as the paint fills them, red, green, blue bytes.
const unsigned char SIGN_BOARD_COLOUR[3] = {120, 75, 30};
const unsigned char SIGN_FRAME_COLOUR[3] = {100, 60, 20};
const unsigned char SIGN_TEXT_COLOUR[3] = {255, 255, 200};

// The board's design is SIGN_BOARD_WIDTH x SIGN_BOARD_HEIGHT; scale times as
// many pixels each way paint the same picture finer. Paints into pixels: rows
// of blue, green, red and a fourth byte left at 0, top row first. Returns 1
// on success.
int paintSignBoard(unsigned char* pixels, int scale);
