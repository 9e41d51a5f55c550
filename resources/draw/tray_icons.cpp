#include "resources/draw/pictures.h"

namespace draw {

Image trayIcon(TrayMode mode, int size, const Font& sansBold) {
    const bool viet = mode == TrayMode::Vietnamese;
    const double last = size - 1;
    const double scale = size / 32.0;
    // 0 at the top-left pixel, 1 along the whole bottom row; the top edge
    // warms a little towards the right.
    auto t = [=](Vec2 p) {
        double x = (p.x - 0.5) / last;
        double y = (p.y - 0.5) / last;
        return 1 - (1 - y) * (1 - 0.35 * x);
    };
    Canvas canvas(size, size);
    if (viet) {
        canvas.clear(gradient(t, {{0, rgb(255, 138, 0)}, {0.5, rgb(255, 200, 0)}, {1, rgb(255, 251, 0)}}));
        canvas.fill(fitInto(sansBold.glyph('V'), {8 * scale, 5 * scale, 24 * scale, 27 * scale}),
                    rgb(249, 79, 79));
    } else {
        canvas.clear(gradient(t, {{0, rgb(249, 203, 78)}, {1, rgb(251, 90, 17)}}));
        canvas.fill(fitInto(sansBold.glyph('E'), {7 * scale, 4 * scale, 24 * scale, 27 * scale}),
                    rgb(255, 255, 255));
    }
    return canvas.toImage();
}

} // namespace draw
