// The Donate box's pictures: two QR codes and the captions above them.
#include <qrencode.h>

#include <algorithm>

#include "resources/links.h"
#include "tools/pictures/pictures.h"
#include "tools/pictures/stroke_font.h"

namespace {

const int CODE_SIDE = 235;
const int QUIET_MODULES = 4;
const int LABEL_HEIGHT = 53;

// The Donate box shows each code in a control 103 dialog units square,
// centred: about 154 pixels at the smallest dialog font (6 pixels per 4
// units), 150 after the centring's rounding. The symbol and its quiet zone
// are drawn small enough to lie wholly inside that middle square.
const int SHOWN_SIDE = 150;

// The dark modules of a symbol drawn into the middle of the picture, whole
// pixels per module; an empty image when the symbol cannot be made or shown.
Image codeImage(const char* text) {
    Image image;
    QRcode* symbol = QRcode_encodeString(text, 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    if (!symbol) return image;
    int modules = symbol->width;
    int modulePixels = SHOWN_SIDE / (modules + 2 * QUIET_MODULES);
    if (modulePixels >= 2) {
        int origin = (CODE_SIDE - modules * modulePixels) / 2;
        image.width = image.height = CODE_SIDE;
        image.rgba.assign((size_t)CODE_SIDE * CODE_SIDE * 4, 255);
        for (int y = 0; y < modules * modulePixels; ++y) {
            for (int x = 0; x < modules * modulePixels; ++x) {
                if (!(symbol->data[(y / modulePixels) * modules + x / modulePixels] & 1)) continue;
                uint8_t* px = &image.rgba[((size_t)(origin + y) * CODE_SIDE + origin + x) * 4];
                px[0] = px[1] = px[2] = 0;
            }
        }
    }
    QRcode_free(symbol);
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

const double LETTER_GAP = 3.4;  // font units between neighbouring centre lines
const double STROKE_RADIUS = 1.2;
const double MARGIN = 6.0;  // pixels kept clear at the sides

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
        if (d <= STROKE_RADIUS)
            c = mixColour(top, bottom, (10.5 - v) / 14.0);  // capitals down to descenders
        return c;
    });
}

}  // namespace

std::vector<AssetFile> donateCodes() {
    Image image = codeImage(GLADEWARDEN_WEB_ADDRESS);
    if (image.width == 0) return {};
    Bytes code = encodeBmp16(image);
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
    for (const Caption& caption : CAPTIONS)
        files.push_back({caption.file, encodeBmp24(labelImage(caption, scale))});
    return files;
}
