// Tells whether the X server's current cursor shows anything: prints
// "visible" or "hidden". The e2e tests use it to see the game hide the cursor.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cursor_probe: no display\n");
        return 2;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) {
        std::fprintf(stderr, "cursor_probe: no cursor image\n");
        return 2;
    }
    int opaque = 0;
    for (int i = 0; i < image->width * image->height; ++i)
        if ((image->pixels[i] >> 24) & 0xFF) ++opaque;
    std::printf("%s\n", opaque ? "visible" : "hidden");
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
