#include "resources/draw/pictures.h"

namespace draw {

namespace {

const Color kButtonFace = rgb(212, 208, 200);
// The buttons draw the bottom-left pixel's colour as transparent; nothing
// else in these pictures is pure magenta.
const Color kKey = rgb(255, 0, 255);

Image framedPeach(bool help, const Font& sansBold) {
    Canvas canvas(16, 16);
    canvas.clear(solid(rgb(0, 0, 128)));
    canvas.fill(roundedRect({1, 1, 15, 15}, 0.01),
                gradient([](Vec2 p) { return (p.x + p.y - 2) / 26; },
                         {{0, rgb(255, 232, 204)}, {1, rgb(255, 168, 88)}}));
    if (help) {
        canvas.fill(fitInto(sansBold.glyph('?'), {4.5, 2.5, 11.5, 13.5}), rgb(255, 0, 0));
    } else {
        const Color brown = rgb(139, 69, 19);
        canvas.fill(unite(capsule({4, 4}, {12, 12}, 2), capsule({12, 4}, {4, 12}, 2)), brown);
    }
    return canvas.toImage();
}

Image opaqueOver(const Image& picture, Color ground) {
    Canvas canvas(picture.width, picture.height);
    canvas.clear(solid(ground));
    canvas.paste(picture, 0, 0);
    return canvas.toImage();
}

// Anti-aliased edges are blended with the button face; only untouched
// pixels take the key colour.
Image keyed(const Canvas& figure) {
    Image drawn = figure.toImage();
    Image out = opaqueOver(drawn, kButtonFace);
    for (int y = 0; y < drawn.height; ++y) {
        for (int x = 0; x < drawn.width; ++x) {
            if (drawn.at(x, y)[3] == 0) {
                unsigned char* p = out.at(x, y);
                p[0] = static_cast<unsigned char>(kKey.r);
                p[1] = static_cast<unsigned char>(kKey.g);
                p[2] = static_cast<unsigned char>(kKey.b);
            }
        }
    }
    return out;
}

} // namespace

Image menuStrip(const Fonts& fonts) {
    Image program = opaqueOver(appIcon(16, fonts.serifBold), kButtonFace);
    Canvas strip(96, 16);
    strip.paste(framedPeach(false, fonts.sansBold), 0, 0);
    strip.paste(framedPeach(true, fonts.sansBold), 16, 0);
    strip.paste(program, 32, 0);
    strip.paste(trayIcon(TrayMode::Vietnamese, 16, fonts.sansBold), 48, 0);
    strip.paste(trayIcon(TrayMode::English, 16, fonts.sansBold), 64, 0);
    strip.paste(program, 80, 0);
    return strip.toImage();
}

Image exitButton() {
    Canvas canvas(20, 20);
    canvas.fill(roundedRect({1, 1, 19, 19}, 4), rgb(150, 20, 20));
    canvas.fill(roundedRect({2, 2, 18, 18}, 3),
                vertical(2, 18, {{0, rgb(250, 96, 80)}, {0.5, rgb(226, 40, 32)}, {1, rgb(184, 16, 16)}}));
    const double pi = 3.14159265358979323846;
    Shape ring = arcStroke({10, 10.8}, 5, pi / 2 + 0.75, pi / 2 - 0.75 + 2 * pi, 2);
    canvas.fill(unite(ring, capsule({10, 4}, {10, 10}, 2)), rgb(255, 255, 255));
    return keyed(canvas);
}

Image helpButton(const Font& sansBold) {
    Canvas canvas(20, 20);
    canvas.fill(roundedRect({1, 1, 19, 19}, 4), rgb(222, 140, 60));
    canvas.fill(roundedRect({2, 2, 18, 18}, 3),
                vertical(2, 18, {{0, rgb(255, 226, 178)}, {1, rgb(255, 186, 110)}}));
    canvas.fill(fitInto(sansBold.glyph('?'), {6, 3.5, 14, 16.5}), rgb(230, 0, 0));
    return keyed(canvas);
}

Image taskbarButton() {
    Canvas canvas(20, 20);
    canvas.fill(roundedRect({1, 1, 19, 19}, 3), rgb(150, 150, 150));
    canvas.fill(roundedRect({2, 2, 18, 18}, 2), rgb(255, 255, 255));
    Shape arrow = polygons({{{8, 3}, {12, 3}, {12, 9.5}, {16, 9.5}, {10, 17}, {4, 9.5}, {8, 9.5}}});
    canvas.fill(arrow, rgb(230, 0, 0));
    return keyed(canvas);
}

} // namespace draw
