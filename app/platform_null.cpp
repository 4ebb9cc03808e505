#include <chrono>
#include <ctime>

#include "app/platform.h"

// The native build has no window: questions are answered no, the mouse stays
// where it is, and the clocks are the C library's.

int platformAskYesNo(const char*, const char*) { return 0; }

void platformCaptureMouse(int* cursorX, int* cursorY) { platformReadCursor(cursorX, cursorY); }

void platformReleaseMouse() {}

void platformReadCursor(int* cursorX, int* cursorY) {
    *cursorX = 400;
    *cursorY = 300;
}

void platformRecentreCursor(int* cursorX, int* cursorY) { platformReadCursor(cursorX, cursorY); }

void platformSetWeatherChecks(int) {}

void platformPostClose() {}

int64_t platformPerformanceFrequency() { return 1000000000; }

int64_t platformPerformanceCounter() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

uint32_t platformTickCount() {
    return (uint32_t)std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void platformLocalDate(int* year, int* month, int* day) {
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    *year = local.tm_year + 1900;
    *month = local.tm_mon + 1;
    *day = local.tm_mday;
}
