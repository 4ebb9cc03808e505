#include "tools/pictures/stroke_font.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/pictures/raster.h"

namespace {

struct Point {
    double x, y;
};
using Stroke = std::vector<Point>;

struct Glyph {
    char ch = 0;
    std::vector<Stroke> strokes;
    double minX = 0, maxX = 0;
};

Stroke line(double x0, double y0, double x1, double y1) { return {{x0, y0}, {x1, y1}}; }

// Elliptical arc from degree a0 to a1 (counter-clockwise when a1 > a0).
Stroke arc(double cx, double cy, double rx, double ry, double a0, double a1) {
    const int steps = 48;
    Stroke s;
    for (int i = 0; i <= steps; ++i) {
        double a = (a0 + (a1 - a0) * i / steps) * 3.14159265358979 / 180.0;
        s.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return s;
}

Stroke then(Stroke a, const Stroke& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Glyph glyph(char ch, std::vector<Stroke> strokes) {
    Glyph g;
    g.ch = ch;
    g.strokes = std::move(strokes);
    g.minX = 1e9;
    g.maxX = -1e9;
    for (const Stroke& s : g.strokes) {
        for (const Point& p : s) {
            g.minX = std::min(g.minX, p.x);
            g.maxX = std::max(g.maxX, p.x);
        }
    }
    return g;
}

const std::vector<Glyph>& glyphs() {
    static const std::vector<Glyph> table = {
        glyph('A', {{{0, 0}, {4.3, 10}, {8.6, 0}}, line(2.0, 3.4, 6.6, 3.4)}),
        glyph('C', {arc(4.8, 5, 4.8, 5, 48, 312)}),
        glyph('W', {{{0, 10}, {2.4, 0}, {4.8, 7.5}, {7.2, 0}, {9.6, 10}}}),
        glyph('a', {arc(3.5, 3.5, 3.5, 3.5, 0, 360), line(7, 7, 7, 0)}),
        glyph('e', {then(line(0.2, 3.7, 7, 3.7), arc(3.5, 3.5, 3.5, 3.5, 3, 312))}),
        glyph('h', {line(0, 0, 0, 10.5), then(arc(3.2, 4, 3.2, 3, 180, 0), line(6.4, 4, 6.4, 0))}),
        glyph('i', {line(0, 0, 0, 7), line(0, 9.8, 0, 9.8)}),
        glyph('l', {then(line(0, 10.5, 0, 2.2), arc(2.2, 2.2, 2.2, 2.2, 180, 270))}),
        glyph('p', {line(0, 7, 0, -3.5), arc(3.5, 3.5, 3.5, 3.5, 0, 360)}),
        glyph('t', {then(line(1.8, 9.6, 1.8, 2.2), arc(4.0, 2.2, 2.2, 2.2, 180, 270)),
                    line(0, 7, 4.4, 7)}),
        glyph('y', {line(0, 7, 3.7, 0.4), line(7, 7, 1.8, -3.5)}),
    };
    return table;
}

const Glyph* findGlyph(char ch) {
    for (const Glyph& g : glyphs()) {
        if (g.ch == ch) return &g;
    }
    return nullptr;
}

}  // namespace

double strokeTextWidth(const std::string& text, double letterGap) {
    double width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph* g = findGlyph(text[i]);
        if (!g) continue;
        width += (g->maxX - g->minX) + (i + 1 < text.size() ? letterGap : 0.0);
    }
    return width;
}

double strokeTextDistance(const std::string& text, double letterGap, double x, double y) {
    double best = 1e9, pen = 0;
    for (char ch : text) {
        const Glyph* g = findGlyph(ch);
        if (!g) continue;
        double left = pen - g->minX;
        // Letters far to the side cannot be nearer than the best so far.
        if (x > pen - best && x < pen + (g->maxX - g->minX) + best) {
            for (const Stroke& s : g->strokes) {
                for (size_t k = 0; k + 1 < s.size(); ++k) {
                    const Point& a = s[k];
                    const Point& b = s[k + 1];
                    best = std::min(best, segmentDistance(x, y, left + a.x, a.y, left + b.x, b.y));
                }
            }
        }
        pen += (g->maxX - g->minX) + letterGap;
    }
    return best;
}
