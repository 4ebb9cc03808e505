#pragma once

#include <cstdint>

// The clocks the game reads: the frame timer's counter, the system's tick
// count (the stars twinkle on while the game pauses) and the local date (the
// moon's phase). Windows implements them in clock_win32.cpp; the native build
// reads the C library's clocks, and the tests set their own.

int64_t platformPerformanceFrequency();
int64_t platformPerformanceCounter();
uint32_t platformTickCount();
void platformLocalDate(int* year, int* month, int* day);
