#include <chrono>
#include <ctime>

#include "core/clock.h"

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
