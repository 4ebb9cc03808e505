#pragma once

#include <cstdint>

// A recording stand-in for the platform edge: tests set the answers, the
// clocks and the cursor, and read back what the shell asked for.
struct FakePlatform {
    int answerYes;  // what the next questions answer
    int questionsAsked;
    const char* lastQuestion;
    int releases;
    int cursorX, cursorY;  // where the cursor is now
    int centreX, centreY;  // where recentring puts it
    int checkedWeatherCommand;
    int64_t counter;
    int64_t frequency;
    uint32_t tickCount;
    int year, month, day;
    int donateDialogs;
    int frameTimerStops, frameTimerStarts;
};

extern FakePlatform fakePlatform;

// Back to defaults: no answers, a 1 MHz counter at 0, 5 December 2026.
void resetFakePlatform();
