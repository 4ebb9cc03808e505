#include <windows.h>

#include "core/clock.h"

int64_t platformPerformanceFrequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

int64_t platformPerformanceCounter() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
}

uint32_t platformTickCount() { return GetTickCount(); }

void platformLocalDate(int* year, int* month, int* day) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    *year = now.wYear;
    *month = now.wMonth;
    *day = now.wDay;
}
