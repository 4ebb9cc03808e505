// The Donate box's pictures: two QR codes and the captions above them.
#include <algorithm>

#include "resources/links.h"
#include "tools/pictures/pictures.h"
#include "tools/pictures/qr_encoder.h"
#include "tools/pictures/stroke_font.h"

namespace {

const int CODE_SIDE = 235;
const int QUIET_MODULES = 4;
const int LABEL_HEIGHT = 53;

// Byte capacity of version 10 at level M, the largest symbol the encoder makes.
static_assert(sizeof(GLADEWARDEN_WEB_ADDRESS) - 1 <= 213, "the web address is too long for the Donate codes");

Image codeImage(const QrSymbol& symbol) {
    int modules = symbol.grid.size;
    int modulePixels = CODE_SIDE / (modules + 2 * QUIET_MODULES);
    int origin = (CODE_SIDE - modules * modulePixels) / 2;
    Image image;
    image.width = image.height = CODE_SIDE;
    image.rgba.assign((size_t)CODE_SIDE * CODE_SIDE * 4, 255);
    for (int y = 0; y < CODE_SIDE; ++y) {
        for (int x = 0; x < CODE_SIDE; ++x) {
            int mx = x - origin, my = y - origin;
            if (mx < 0 || my < 0) continue;
            mx /= modulePixels;
            my /= modulePixels;
            if (mx < modules && my < modules && symbol.grid.at(mx, my)) {
                uint8_t* px = &image.rgba[((size_t)y * CODE_SIDE + x) * 4];
                px[0] = px[1] = px[2] = 0;
            }
        }
    }
    return image;
}

struct Caption {
    const char* file;
    const char* text;
    int width;
    int top, bottom;  // fill gradient, top to bottom
};

const Caption CAPTIONS[2] = {
    {"donate_label_left.bmp", "WeChat", 144, 0x3FC96A, 0x138A43},
    {"donate_label_right.bmp", "Alipay", 145, 0x3C9EF0, 0x1560B8},
};

const double LETTER_GAP = 3.4;   // font units between neighbouring centre lines
const double STROKE_RADIUS = 1.2;
const double MARGIN = 6.0;       // pixels kept clear at the sides

Image labelImage(const Caption& caption, double scale) {
    std::string text = caption.text;
    double inkWidth = (strokeTextWidth(text, LETTER_GAP) + 2 * STROKE_RADIUS) * scale;
    double left = (caption.width - inkWidth) / 2 + STROKE_RADIUS * scale;
    // Both captions share one baseline, set so that the band from the foot of
    // the descenders (-3.5) to the tops of the tall letters (10.5) sits in the middle.
    double baseline = LABEL_HEIGHT / 2.0 + 3.5 * scale;
    Colour top = rgb(caption.top), bottom = rgb(caption.bottom);
    Colour white = rgb(0xFFFFFF);
    return renderSupersampled(caption.width, LABEL_HEIGHT, 6, [&](double x, double y) {
        double u = (x - left) / scale, v = (baseline - y) / scale;
        double d = strokeTextDistance(text, LETTER_GAP, u, v);
        // A soft shadow just below the letters lifts them off the white.
        double shadow = strokeTextDistance(text, LETTER_GAP, u - 0.3, v + 0.6);
        double shade = 1.0 - smoothstep(STROKE_RADIUS - 0.3, STROKE_RADIUS + 0.6, shadow);
        Colour c = over(withAlpha(mixColour(white, bottom, 0.3), shade), white);
        if (d <= STROKE_RADIUS) c = mixColour(top, bottom, (10.5 - v) / 14.0);  // capitals down to descenders
        return c;
    });
}

}  // namespace

std::vector<AssetFile> donateCodes() {
    QrSymbol symbol = encodeQr(GLADEWARDEN_WEB_ADDRESS, QrLevel::M);
    Bytes code = encodeBmp16(codeImage(symbol));
    // Both lead to the web page until real payment codes take their place.
    return {{"donate_code_left.bmp", code}, {"donate_code_right.bmp", code}};
}

std::vector<AssetFile> donateLabels() {
    double scale = 1e9;
    for (const Caption& caption : CAPTIONS) {
        double units = strokeTextWidth(caption.text, LETTER_GAP) + 2 * STROKE_RADIUS;
        scale = std::min(scale, (caption.width - 2 * MARGIN) / units);
    }
    std::vector<AssetFile> files;
    for (const Caption& caption : CAPTIONS) files.push_back({caption.file, encodeBmp24(labelImage(caption, scale))});
    return files;
}
