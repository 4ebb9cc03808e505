#pragma once

// Reads the moon picture (bitmap resource 202) as tightly packed 3-byte
// pixels, top row first. Returns 1 and a malloc'ed buffer the caller frees,
// or 0 when the picture is missing or unreadable.
int loadMoonBitmap(unsigned char** pixels, int* width, int* height);
