#include "resources/draw/pictures.h"

#include <array>

namespace draw {

namespace {

// Each size has its own layout so that frame and panel edges land on whole
// pixels instead of being scaled into blur.
struct Layout {
    Box frame;
    double frameRadius;
    Box panel;
    double panelRadius;
    double ballRadius;
    double ballY;
    std::array<double, 3> ballX;
    Vec2 shadow;
    double shadowRx;
    double shadowRy;
    double shadowSoftness;
};

Layout layoutFor(int size) {
    switch (size) {
    case 48:
        return {{2, 3, 46, 39}, 5, {6, 7, 42, 33}, 2, 6.6, 20, {12.6, 24, 35.4}, {24, 41.5}, 20, 3, 2.5};
    case 32:
        return {{1, 2, 31, 26},  3.5,        {4, 5, 28, 22}, 1.5, 4.5, 13.5,
                {8.6, 16, 23.4}, {16, 27.5}, 13.5,           2.2, 1.8};
    default:
        return {{0, 1, 16, 13}, 2, {2, 3, 14, 11}, 1, 2.2, 7, {4.6, 8, 11.4}, {8, 14}, 7.5, 1.5, 1.2};
    }
}

Color shade(Color c, double f) {
    return {c.r * f, c.g * f, c.b * f, c.a};
}
Color tint(Color c, double f) {
    return {c.r + (255 - c.r) * f, c.g + (255 - c.g) * f, c.b + (255 - c.b) * f, c.a};
}

// Tiny balls get a fainter shine, or the highlight washes their colour out.
void glossyBall(Canvas& canvas, Vec2 c, double r, Color base, bool tiny) {
    Vec2 light{c.x - 0.3 * r, c.y - 0.35 * r};
    canvas.fill(
        circle(c, r),
        radial(light, 1.45 * r, {{0, tint(base, tiny ? 0.2 : 0.55)}, {0.55, base}, {1, shade(base, 0.62)}}));
    double shine = tiny ? 0.45 : 0.9;
    double top = c.y - 0.92 * r;
    double bottom = c.y - 0.05 * r;
    canvas.fill(ellipse({c.x, c.y - 0.48 * r}, 0.62 * r, 0.42 * r),
                withAlpha(solid(rgb(255, 255, 255)),
                          [=](Vec2 p) { return shine * (1 - 0.95 * (p.y - top) / (bottom - top)); }));
}

// Peach, blue and green; with sixteen colours peach becomes yellow.
const std::array<Color, 3> kBallColours{rgb(255, 178, 128), rgb(80, 140, 235), rgb(96, 196, 80)};
const std::array<Color, 3> kFlatBalls{rgb(255, 255, 0), rgb(0, 0, 255), rgb(0, 255, 0)};
const std::array<Color, 3> kFlatShades{rgb(128, 128, 0), rgb(0, 0, 128), rgb(0, 128, 0)};

void flatBall(Canvas& canvas, Vec2 c, double r, int which, bool tiny) {
    size_t i = static_cast<size_t>(which);
    canvas.fill(circle(c, r), kFlatShades[i]);
    canvas.fill(circle({c.x - 0.18 * r, c.y - 0.18 * r}, 0.8 * r), kFlatBalls[i]);
    if (!tiny) {
        canvas.fill(ellipse({c.x - 0.1 * r, c.y - 0.55 * r}, 0.45 * r, 0.25 * r), rgb(255, 255, 255));
    }
}

} // namespace

Image appIcon(int size, const Font& letterFace, bool sixteenColours) {
    const Layout l = layoutFor(size);
    const bool small = size <= 16;
    const bool flat = sixteenColours;
    Canvas canvas(size, size, flat);
    const Color grey = rgb(128, 128, 128);
    const Color silver = rgb(192, 192, 192);
    const Color white = rgb(255, 255, 255);

    if (flat) {
        canvas.fill(ellipse(l.shadow, l.shadowRx, l.shadowRy), grey);
    } else {
        canvas.fill(ellipse(l.shadow, l.shadowRx, l.shadowRy), rgb(100, 100, 100, 0.75), l.shadowSoftness);
    }

    // Screen frame: a darker rim, then the light grey face one pixel in.
    Shape frame = roundedRect(l.frame, l.frameRadius);
    canvas.fill(frame, flat ? grey : rgb(128, 128, 132));
    canvas.fill(offset(frame, -1), flat ? solid(silver)
                                        : vertical(l.frame.top, l.frame.bottom,
                                                   {{0, rgb(250, 250, 250)}, {1, rgb(200, 200, 204)}}));

    Shape panel = roundedRect(l.panel, l.panelRadius);
    canvas.fill(panel, flat ? grey : rgb(112, 146, 196));
    // Sixteen colours have no pale blue: white and cyan in a fine checker
    // read as one.
    Paint panelFace =
        flat ? Paint([=](Vec2 p) { return (int(p.x) + int(p.y)) % 2 ? white : rgb(0, 255, 255); })
             : vertical(l.panel.top, l.panel.bottom, {{0, rgb(222, 238, 253)}, {1, rgb(170, 204, 242)}});
    canvas.fill(offset(panel, small && !flat ? -0.6 : -1), panelFace);

    const char letters[] = "lur";
    const Color red = flat ? rgb(255, 0, 0) : rgb(220, 0, 0);
    const double r = l.ballRadius;
    if (!small && !flat) {
        for (double x : l.ballX) {
            canvas.fill(ellipse({x + 0.15 * r, l.ballY + 0.92 * r}, 0.95 * r, 0.28 * r),
                        rgb(40, 70, 120, 0.45), 0.25 * r);
        }
    }
    // 'u' sets the scale so that all three letters share one x-height.
    Box xBox = inkBounds(letterFace.glyph('u'));
    double perUnit = 0.95 * r / (xBox.bottom - xBox.top);
    for (int i = 0; i < 3; ++i) {
        Vec2 c{l.ballX[i], l.ballY};
        if (flat) {
            flatBall(canvas, c, r, i, small);
        } else {
            glossyBall(canvas, c, r, kBallColours[static_cast<size_t>(i)], small);
        }
        if (small) {
            canvas.fill(capsule({c.x, c.y - 0.9}, {c.x, c.y + 1.3}, 0.9), red);
            continue;
        }
        Outline glyph = letterFace.glyph(letters[i]);
        Box ink = inkBounds(glyph);
        // Letters sit on a common baseline, whatever their height.
        double lift = (ink.bottom + ink.top) / 2 - (xBox.bottom + xBox.top) / 2;
        canvas.fill(centredOn(glyph, {c.x, c.y + 0.18 * r - lift * perUnit}, perUnit), red);
    }
    return canvas.toImage();
}

} // namespace draw
