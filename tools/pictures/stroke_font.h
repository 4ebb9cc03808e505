#pragma once
// Our own rounded stroke font for picture captions. Each glyph is a few centre
// lines; the letters are everything within a given radius of them, so every
// end and joint comes out round. Units: baseline at y = 0, y up, x-height 7,
// capitals 10, descenders to -3.5.
#include <string>

// Width of the text's centre lines, first stroke to last, at the given gap
// between neighbouring letters' centre lines.
double strokeTextWidth(const std::string& text, double letterGap);

// Distance from (x, y) to the nearest centre line of the text set from x = 0.
double strokeTextDistance(const std::string& text, double letterGap, double x, double y);
