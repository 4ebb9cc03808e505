#include "fakes/platform_fake.h"

#include "app/dialogs.h"
#include "app/platform.h"
#include "core/clock.h"

FakePlatform fakePlatform;

void resetFakePlatform() {
    fakePlatform = FakePlatform{};
    fakePlatform.cursorX = fakePlatform.centreX = 400;
    fakePlatform.cursorY = fakePlatform.centreY = 300;
    fakePlatform.frequency = 1000000;
    fakePlatform.checkedWeatherCommand = -1;
    fakePlatform.year = 2026;
    fakePlatform.month = 12;
    fakePlatform.day = 5;
}

namespace {
struct ResetAtStart {
    ResetAtStart() { resetFakePlatform(); }
} resetAtStart;
}  // namespace

int platformAskYesNo(const char* text, const char*) {
    fakePlatform.questionsAsked++;
    fakePlatform.lastQuestion = text;
    return fakePlatform.answerYes;
}

void platformCaptureMouse(int* cursorX, int* cursorY) { platformReadCursor(cursorX, cursorY); }

void platformReleaseMouse() { fakePlatform.releases++; }

void platformReadCursor(int* cursorX, int* cursorY) {
    *cursorX = fakePlatform.cursorX;
    *cursorY = fakePlatform.cursorY;
}

void platformRecentreCursor(int* cursorX, int* cursorY) {
    fakePlatform.cursorX = fakePlatform.centreX;
    fakePlatform.cursorY = fakePlatform.centreY;
    platformReadCursor(cursorX, cursorY);
}

void platformSetWeatherChecks(int checkedCommand) {
    fakePlatform.checkedWeatherCommand = checkedCommand;
}

void platformPostClose() {}

int64_t platformPerformanceFrequency() { return fakePlatform.frequency; }
int64_t platformPerformanceCounter() { return fakePlatform.counter; }
uint32_t platformTickCount() { return fakePlatform.tickCount; }

void platformLocalDate(int* year, int* month, int* day) {
    *year = fakePlatform.year;
    *month = fakePlatform.month;
    *day = fakePlatform.day;
}

void showDonateDialog() { fakePlatform.donateDialogs++; }

void showAboutDialog() {}

void platformStopFrameTimer() { fakePlatform.frameTimerStops++; }

void platformStartFrameTimer() { fakePlatform.frameTimerStarts++; }

void platformPlaceMainWindow(ScreenRect) {}
