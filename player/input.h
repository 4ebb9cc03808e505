#pragma once

// What the keyboard and mouse hold right now.
struct InputState {
    int moveForwardHeld;
    int moveBackHeld;
    int moveLeftHeld;
    int moveRightHeld;
    int mouseCaptured;  // cursor hidden; mouse look and firing active
    int binocularsOn;
    int lastCursorX;  // screen pixels; reference for the next mouse delta
    int lastCursorY;
};

extern InputState theInput;
