// Draws every picture the program shows, with Cairo and its FreeType text, as PNG files into the
// folder named on the command line; resources/remake turns them into the BMP and ICO files.
//
//   mainicon-<bits>-<size>.png  the application icon's images: 4 bits in the 16 standard colours with
//                               hard edges, 8 bits with see-through or solid pixels only, 32 bits
//   tk-<size>.png, eng-<size>.png  the tray icons, opaque, at each icon size
//   sidebar.png, menu.png       the menu's sidebar and its six 16 x 16 pictures side by side
//   btn_*.png                   the three button pictures, the unused key colour around the figure
// The sidebar, menu and button pictures come once more for each larger display scale, named with the
// scale in percent (sidebar-125.png): the same drawing, every figure multiplied by the scale.
#include "engine/product_names.h"
#include "ui/display_scale.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    int r, g, b;
};
struct Box {
    double left, top, right, bottom;
};

void setColour(cairo_t* cr, Rgb c, double alpha = 1) {
    cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}
void addStop(cairo_pattern_t* pattern, double at, Rgb c, double alpha = 1) {
    cairo_pattern_add_color_stop_rgba(pattern, at, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}
// Sets the pattern as the source and lets the context own it.
void setPattern(cairo_t* cr, cairo_pattern_t* pattern) {
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}
cairo_pattern_t* vertical(double top, double bottom, std::initializer_list<std::pair<double, Rgb>> stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, top, 0, bottom);
    for (auto [at, colour] : stops) {
        addStop(pattern, at, colour);
    }
    return pattern;
}

void roundedRect(cairo_t* cr, Box b, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, b.right - radius, b.top + radius, radius, -kPi / 2, 0);
    cairo_arc(cr, b.right - radius, b.bottom - radius, radius, 0, kPi / 2);
    cairo_arc(cr, b.left + radius, b.bottom - radius, radius, kPi / 2, kPi);
    cairo_arc(cr, b.left + radius, b.top + radius, radius, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}
Box inset(Box b, double by) {
    return {b.left + by, b.top + by, b.right - by, b.bottom - by};
}
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}
// A straight stroke with round ends.
void capsule(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

// A TrueType face, unhinted, so that the outlines keep the designer's proportions at any size.
class Face {
public:
    explicit Face(const char* file) {
        if (FT_Init_FreeType(&library_) != 0 || FT_New_Face(library_, file, 0, &face_) != 0) {
            throw std::runtime_error(std::string("cannot read the font ") + file);
        }
        face = cairo_ft_font_face_create_for_ft_face(face_, FT_LOAD_NO_HINTING);
    }
    ~Face() {
        cairo_font_face_destroy(face);
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    cairo_font_face_t* face = nullptr;

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// The outline of the text at 100 units a line, glyphs set one after another with `tracking` units
// added between them; the path is left in the context and returned with its ink box.
Box textPath(cairo_t* cr, const Face& face, const std::string& text, double tracking = 0) {
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_font_face(cr, face.face);
    cairo_set_font_size(cr, 100);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(cr), 0, 0, text.c_str(), -1, &glyphs, &count,
                                     nullptr, nullptr, nullptr);
    for (int i = 0; i < count; ++i) {
        glyphs[i].x += i * tracking;
    }
    cairo_new_path(cr);
    cairo_glyph_path(cr, glyphs, count);
    cairo_glyph_free(glyphs);
    Box ink{};
    cairo_path_extents(cr, &ink.left, &ink.top, &ink.right, &ink.bottom);
    cairo_restore(cr);
    return ink;
}

// Replaces the path by the outline of the text scaled, each axis on its own, so that its ink fills
// the target; turned, it reads from bottom to top with the letter tops toward the left.
void fitText(cairo_t* cr, const Face& face, const std::string& text, Box target, bool turned = false,
             double tracking = 0) {
    const Box ink = textPath(cr, face, text, tracking);
    // The outline as made, in units of the font's size, whatever scale the context draws at.
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_save(cr);
    if (turned) {
        cairo_translate(cr, target.left, target.bottom);
        cairo_rotate(cr, -kPi / 2);
        cairo_scale(cr, (target.bottom - target.top) / (ink.right - ink.left),
                    (target.right - target.left) / (ink.bottom - ink.top));
    } else {
        cairo_translate(cr, target.left, target.top);
        cairo_scale(cr, (target.right - target.left) / (ink.right - ink.left),
                    (target.bottom - target.top) / (ink.bottom - ink.top));
    }
    cairo_translate(cr, -ink.left, -ink.top);
    cairo_append_path(cr, path);
    cairo_restore(cr);
    cairo_path_destroy(path);
}

// A picture being drawn: an ARGB surface with its context.
class Picture {
public:
    Picture(int width, int height)
        : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
          cr(cairo_create(surface_)) {}
    ~Picture() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface_);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    void paste(Picture& other, double x, double y) {
        cairo_surface_flush(other.surface_);
        cairo_set_source_surface(cr, other.surface_, x, y);
        cairo_paint(cr);
    }
    // Pixels under half opacity become see-through, the others solid: for the images with a palette.
    void hardenAlpha() {
        forEachPixel([](unsigned char* p) {
            const int alpha = p[3];
            for (int c = 0; c < 3; ++c) {
                p[c] = alpha < 128 ? 0 : static_cast<unsigned char>(std::min(255, p[c] * 255 / alpha));
            }
            p[3] = alpha < 128 ? 0 : 255;
        });
    }
    // Untouched pixels take the key colour, the rest is laid on the ground colour.
    void keyed(Rgb ground, Rgb key) {
        forEachPixel([&](unsigned char* p) {
            const int alpha = p[3];
            const Rgb c = alpha == 0 ? key : ground;
            // Cairo keeps pixels premultiplied, blue first in memory.
            p[0] = static_cast<unsigned char>(p[0] + c.b * (255 - alpha) / 255);
            p[1] = static_cast<unsigned char>(p[1] + c.g * (255 - alpha) / 255);
            p[2] = static_cast<unsigned char>(p[2] + c.r * (255 - alpha) / 255);
            p[3] = 255;
        });
    }
    void write(const std::filesystem::path& file) {
        cairo_surface_flush(surface_);
        if (cairo_surface_write_to_png(surface_, file.c_str()) != CAIRO_STATUS_SUCCESS) {
            throw std::runtime_error("cannot write " + file.string());
        }
    }

private:
    template <typename Change> void forEachPixel(Change change) {
        cairo_surface_flush(surface_);
        unsigned char* data = cairo_image_surface_get_data(surface_);
        const int stride = cairo_image_surface_get_stride(surface_);
        for (int y = 0; y < cairo_image_surface_get_height(surface_); ++y) {
            for (int x = 0; x < cairo_image_surface_get_width(surface_); ++x) {
                change(data + y * stride + 4 * x);
            }
        }
        cairo_surface_mark_dirty(surface_);
    }

    cairo_surface_t* surface_;

public:
    cairo_t* cr;
};

// --- The application icon ----------------------------------------------------------------------

// Each size has its own layout so that frame and panel edges land on whole pixels.
struct IconLayout {
    Box frame;
    double frameRadius;
    Box panel;
    double panelRadius;
    double ballRadius, ballY;
    std::array<double, 3> ballX;
    double shadowX, shadowY, shadowRx, shadowRy;
};

IconLayout layoutFor(int size) {
    switch (size) {
    case 48:
        return {{2, 3, 46, 39}, 5, {6, 7, 42, 33}, 2, 6.6, 20, {12.6, 24, 35.4}, 24, 41.5, 20, 3};
    case 32:
        return {{1, 2, 31, 26}, 3.5, {4, 5, 28, 22}, 1.5, 4.5, 13.5, {8.6, 16, 23.4}, 16, 27.5, 13.5, 2.2};
    case 24:
        return {{1, 2, 23, 20}, 2.5, {3, 4, 21, 17}, 1.2, 3.4, 10.5, {6.5, 12, 17.5}, 12, 20.8, 10, 1.8};
    case 20:
        return {{0, 1, 20, 17}, 2.2, {2, 3, 18, 14}, 1, 2.8, 8.5, {5.6, 10, 14.4}, 10, 17.6, 9, 1.6};
    default:
        return {{0, 1, 16, 13}, 2, {2, 3, 14, 11}, 1, 2.2, 7, {4.6, 8, 11.4}, 8, 14, 7.5, 1.5};
    }
}

Rgb shade(Rgb c, double f) {
    return {int(c.r * f), int(c.g * f), int(c.b * f)};
}
Rgb tint(Rgb c, double f) {
    return {int(c.r + (255 - c.r) * f), int(c.g + (255 - c.g) * f), int(c.b + (255 - c.b) * f)};
}

// Peach, blue and green; the sixteen standard colours have no peach, so yellow stands for it there.
const std::array<Rgb, 3> kBalls{{{255, 178, 128}, {80, 140, 235}, {96, 196, 80}}};
const std::array<Rgb, 3> kFlatBalls{{{255, 255, 0}, {0, 0, 255}, {0, 255, 0}}};
const std::array<Rgb, 3> kFlatShades{{{128, 128, 0}, {0, 0, 128}, {0, 128, 0}}};

void glossyBall(cairo_t* cr, double cx, double cy, double r, Rgb base, bool tiny) {
    cairo_pattern_t* body =
        cairo_pattern_create_radial(cx - 0.3 * r, cy - 0.35 * r, 0, cx - 0.3 * r, cy - 0.35 * r, 1.45 * r);
    addStop(body, 0, tint(base, tiny ? 0.2 : 0.55));
    addStop(body, 0.55, base);
    addStop(body, 1, shade(base, 0.62));
    setPattern(cr, body);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    // The shine fades from its top down; tiny balls get a fainter one, or it washes them out.
    const double shine = tiny ? 0.45 : 0.9;
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, cy - 0.92 * r, 0, cy - 0.05 * r);
    addStop(gloss, 0, {255, 255, 255}, shine);
    addStop(gloss, 1, {255, 255, 255}, shine * 0.05);
    setPattern(cr, gloss);
    ellipse(cr, cx, cy - 0.48 * r, 0.62 * r, 0.42 * r);
    cairo_fill(cr);
}

void flatBall(cairo_t* cr, double cx, double cy, double r, size_t which, bool tiny) {
    setColour(cr, kFlatShades[which]);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    setColour(cr, kFlatBalls[which]);
    cairo_arc(cr, cx - 0.18 * r, cy - 0.18 * r, 0.8 * r, 0, 2 * kPi);
    cairo_fill(cr);
    if (!tiny) {
        setColour(cr, {255, 255, 255});
        ellipse(cr, cx - 0.1 * r, cy - 0.55 * r, 0.45 * r, 0.25 * r);
        cairo_fill(cr);
    }
}

// A light-grey rounded screen frame with a pale-blue panel on which sit three glossy balls, each
// with one red letter of "lur"; at 16 pixels the letters are plain strokes. `flat` draws in the 16
// standard colours with hard edges.
void drawAppIcon(Picture& picture, int size, const Face& serif, bool flat) {
    cairo_t* cr = picture.cr;
    const IconLayout l = layoutFor(size);
    const bool small = size <= 20;
    if (flat) {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    }

    // The shadow under the screen, soft at its edge.
    if (flat) {
        setColour(cr, {128, 128, 128});
    } else {
        cairo_pattern_t* shadow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
        addStop(shadow, 0, {100, 100, 100}, 0.75);
        addStop(shadow, 0.7, {100, 100, 100}, 0.65);
        addStop(shadow, 1, {100, 100, 100}, 0);
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, 1 / (l.shadowRx + 1), 1 / (l.shadowRy + 1));
        cairo_matrix_translate(&m, -l.shadowX, -l.shadowY);
        cairo_pattern_set_matrix(shadow, &m);
        setPattern(cr, shadow);
    }
    // The soft edge reaches a pixel past the ellipse.
    const double soft = flat ? 0 : 1;
    ellipse(cr, l.shadowX, l.shadowY, l.shadowRx + soft, l.shadowRy + soft);
    cairo_fill(cr);

    // Screen frame: a darker rim, then the light grey face one pixel in.
    setColour(cr, flat ? Rgb{128, 128, 128} : Rgb{128, 128, 132});
    roundedRect(cr, l.frame, l.frameRadius);
    cairo_fill(cr);
    if (flat) {
        setColour(cr, {192, 192, 192});
    } else {
        setPattern(cr, vertical(l.frame.top, l.frame.bottom, {{0, {250, 250, 250}}, {1, {200, 200, 204}}}));
    }
    roundedRect(cr, inset(l.frame, 1), l.frameRadius - 1);
    cairo_fill(cr);

    setColour(cr, flat ? Rgb{128, 128, 128} : Rgb{112, 146, 196});
    roundedRect(cr, l.panel, l.panelRadius);
    cairo_fill(cr);
    if (flat) {
        // No pale blue among the sixteen: white and cyan in a fine checker read as one.
        cairo_surface_t* checker = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2, 2);
        cairo_t* c = cairo_create(checker);
        setColour(c, {0, 255, 255});
        cairo_paint(c);
        setColour(c, {255, 255, 255});
        cairo_rectangle(c, 1, 0, 1, 1);
        cairo_rectangle(c, 0, 1, 1, 1);
        cairo_fill(c);
        cairo_destroy(c);
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(checker);
        cairo_surface_destroy(checker);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
        setPattern(cr, pattern);
    } else {
        setPattern(cr, vertical(l.panel.top, l.panel.bottom, {{0, {222, 238, 253}}, {1, {170, 204, 242}}}));
    }
    const double panelRim = small && !flat ? 0.6 : 1;
    roundedRect(cr, inset(l.panel, panelRim), std::max(0.0, l.panelRadius - panelRim));
    cairo_fill(cr);

    const double r = l.ballRadius;
    if (!small && !flat) {
        for (double x : l.ballX) {
            setColour(cr, {40, 70, 120}, 0.4);
            ellipse(cr, x + 0.15 * r, l.ballY + 0.92 * r, 0.95 * r, 0.28 * r);
            cairo_fill(cr);
        }
    }
    const Rgb red = flat ? Rgb{255, 0, 0} : Rgb{220, 0, 0};
    // 'u' sets the scale, so that the three letters share one x-height and one baseline.
    const Box x = textPath(cr, serif, "u");
    cairo_new_path(cr);
    const double perUnit = 0.95 * r / (x.bottom - x.top);
    const char letters[] = "lur";
    for (size_t i = 0; i < 3; ++i) {
        const double cx = l.ballX[i];
        const double cy = l.ballY;
        if (flat) {
            flatBall(cr, cx, cy, r, i, small);
        } else {
            glossyBall(cr, cx, cy, r, kBalls[i], small);
        }
        setColour(cr, red);
        if (small) {
            capsule(cr, cx, cy - 0.9, cx, cy + 1.3, 0.9);
            continue;
        }
        const Box ink = textPath(cr, serif, std::string(1, letters[i]));
        cairo_new_path(cr);
        const double width = (ink.right - ink.left) * perUnit;
        const double origin = cy + 0.18 * r - (x.top + x.bottom) / 2 * perUnit;
        fitText(cr, serif, std::string(1, letters[i]),
                {cx - width / 2, origin + ink.top * perUnit, cx + width / 2, origin + ink.bottom * perUnit});
        cairo_fill(cr);
    }
}

// --- Tray icons --------------------------------------------------------------------------------

// A gradient from the top-left pixel's colour to the bottom row's, warming a little to the right,
// with a large letter filling the given pixels (at 32 pixels; scaled for smaller sizes).
void drawTrayIcon(Picture& picture, int size, bool vietnamese, const Face& sans) {
    cairo_t* cr = picture.cr;
    const double last = size - 1;
    // From the centre of the top-left pixel, slanted so that the whole bottom row, the bottom-left
    // pixel's centre included, lies at or past the end colour.
    const double dx = 0.13 * last;
    const double dy = (last + std::sqrt(last * last - 4 * dx * dx)) / 2;
    cairo_pattern_t* ground = cairo_pattern_create_linear(0.5, 0.5, 0.5 + dx, 0.5 + dy);
    if (vietnamese) {
        addStop(ground, 0, {255, 138, 0});
        addStop(ground, 0.5, {255, 200, 0});
        addStop(ground, 1, {255, 251, 0});
    } else {
        addStop(ground, 0, {249, 203, 78});
        addStop(ground, 1, {251, 90, 17});
    }
    setPattern(cr, ground);
    cairo_paint(cr);
    const double scale = size / 32.0;
    if (vietnamese) {
        setColour(cr, {249, 79, 79});
        fitText(cr, sans, "V", {8 * scale, 5 * scale, 24 * scale, 27 * scale});
    } else {
        setColour(cr, {255, 255, 255});
        fitText(cr, sans, "E", {7 * scale, 4 * scale, 24 * scale, 27 * scale});
    }
    cairo_fill(cr);
}

// --- Menu pictures -----------------------------------------------------------------------------

const Rgb kButtonFace{212, 208, 200};
// The buttons draw the bottom-left pixel's colour as transparent; nothing else here is magenta.
const Rgb kKey{255, 0, 255};

// The sidebar: a grey gradient down its length with the product's name and year, in capitals, set
// in a bold serif face turned to read upwards, outlined in dark green and filled grey-green. Drawn at
// `scale` times its 29 x 282 pixels; each pixel row is one grey, read from the gradient at the row's
// centre.
void drawSidebar(Picture& picture, const Face& serif, double scale) {
    cairo_t* cr = picture.cr;
    constexpr int kHeight = 282;
    // Grey levels at chosen rows; the rows between are interpolated, each one uniform.
    const std::array<std::pair<int, int>, 7> levels{
        {{0, 241}, {50, 237}, {100, 226}, {150, 207}, {200, 188}, {250, 174}, {kHeight - 1, 170}}};
    const int rows = cairo_image_surface_get_height(cairo_get_target(cr));
    const int columns = cairo_image_surface_get_width(cairo_get_target(cr));
    for (int row = 0; row < rows; ++row) {
        const double at = std::clamp((row + 0.5) / scale - 0.5, 0.0, double(kHeight - 1));
        size_t i = 1;
        while (at > levels[i].first) {
            ++i;
        }
        const double t = (at - levels[i - 1].first) / (levels[i].first - levels[i - 1].first);
        const int grey =
            int(std::lround(levels[i - 1].second + (levels[i].second - levels[i - 1].second) * t));
        setColour(cr, {grey, grey, grey});
        cairo_rectangle(cr, 0, row, columns, 1);
        cairo_fill(cr);
    }
    cairo_scale(cr, scale, scale);

    std::string name = LUR_PRODUCT_NAME;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    // The ink, outline included, stays inside columns 4..23 and rows 65..275. Letter-spaced so that
    // at its natural proportions the name runs the box's whole length.
    constexpr double kOutline = 1.6;
    const Box box{4 + kOutline / 2, 65 + kOutline / 2, 24 - kOutline / 2, 276 - kOutline / 2};
    const Box plain = textPath(cr, serif, name);
    cairo_new_path(cr);
    const double perUnit = (box.right - box.left) / (plain.bottom - plain.top);
    const double wanted = (box.bottom - box.top) / perUnit;
    const double tracking = (wanted - (plain.right - plain.left)) / double(name.size() - 1);
    fitText(cr, serif, name, box, true, tracking);
    setColour(cr, {191, 204, 191});
    cairo_fill_preserve(cr);
    setColour(cr, {0, 51, 0});
    cairo_set_line_width(cr, kOutline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A navy-framed square with a peach-to-orange gradient, crossed by a brown X (Exit) or bearing a
// red question mark (Help).
void drawFramedPeach(cairo_t* cr, double x0, bool help, const Face& sans) {
    setColour(cr, {0, 0, 128});
    cairo_rectangle(cr, x0, 0, 16, 16);
    cairo_fill(cr);
    cairo_pattern_t* peach = cairo_pattern_create_linear(x0 + 1, 1, x0 + 14, 14);
    addStop(peach, 0, {255, 232, 204});
    addStop(peach, 1, {255, 168, 88});
    setPattern(cr, peach);
    cairo_rectangle(cr, x0 + 1, 1, 14, 14);
    cairo_fill(cr);
    if (help) {
        setColour(cr, {255, 0, 0});
        fitText(cr, sans, "?", {x0 + 4.5, 2.5, x0 + 11.5, 13.5});
        cairo_fill(cr);
    } else {
        setColour(cr, {139, 69, 19});
        capsule(cr, x0 + 4, 4, x0 + 12, 12, 2);
        capsule(cr, x0 + 12, 4, x0 + 4, 12, 2);
    }
}

// Exit, Help, the program, Vietnamese, English and the program again, 16 x 16 each at 96 dpi, opaque.
// At a larger scale each picture is `size` pixels square; the icons among them are drawn at that size
// (as their own small images are) rather than magnified.
void drawMenuStrip(Picture& strip, int size, const Face& serif, const Face& sans) {
    cairo_t* cr = strip.cr;
    setColour(cr, kButtonFace);
    cairo_paint(cr);
    cairo_save(cr);
    cairo_scale(cr, size / 16.0, size / 16.0);
    drawFramedPeach(cr, 0, false, sans);
    drawFramedPeach(cr, 16, true, sans);
    cairo_restore(cr);
    Picture program(size, size);
    drawAppIcon(program, size == 16 ? 16 : lur::iconImageSize(size), serif, false);
    strip.paste(program, 2 * size, 0);
    strip.paste(program, 5 * size, 0);
    for (bool vietnamese : {true, false}) {
        Picture tray(size, size);
        drawTrayIcon(tray, size, vietnamese, sans);
        strip.paste(tray, (vietnamese ? 3 : 4) * size, 0);
    }
}

// --- Button pictures ---------------------------------------------------------------------------

// A white power symbol on a red rounded square.
void drawExitButton(Picture& picture, double scale) {
    cairo_scale(picture.cr, scale, scale);
    cairo_t* cr = picture.cr;
    setColour(cr, {150, 20, 20});
    roundedRect(cr, {1, 1, 19, 19}, 4);
    cairo_fill(cr);
    setPattern(cr, vertical(2, 18, {{0, {250, 96, 80}}, {0.5, {226, 40, 32}}, {1, {184, 16, 16}}}));
    roundedRect(cr, {2, 2, 18, 18}, 3);
    cairo_fill(cr);
    setColour(cr, {255, 255, 255});
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_arc(cr, 10, 10.8, 5, -kPi / 2 + 0.75, -kPi / 2 - 0.75 + 2 * kPi);
    cairo_stroke(cr);
    capsule(cr, 10, 4, 10, 10, 2);
    picture.keyed(kButtonFace, kKey);
}

// A red question mark on a light orange ground.
void drawHelpButton(Picture& picture, const Face& sans, double scale) {
    cairo_scale(picture.cr, scale, scale);
    cairo_t* cr = picture.cr;
    setColour(cr, {222, 140, 60});
    roundedRect(cr, {1, 1, 19, 19}, 4);
    cairo_fill(cr);
    setPattern(cr, vertical(2, 18, {{0, {255, 226, 178}}, {1, {255, 186, 110}}}));
    roundedRect(cr, {2, 2, 18, 18}, 3);
    cairo_fill(cr);
    setColour(cr, {230, 0, 0});
    fitText(cr, sans, "?", {6, 3.5, 14, 16.5});
    cairo_fill(cr);
    picture.keyed(kButtonFace, kKey);
}

// A red arrow pointing down on white.
void drawTaskbarButton(Picture& picture, double scale) {
    cairo_scale(picture.cr, scale, scale);
    cairo_t* cr = picture.cr;
    setColour(cr, {150, 150, 150});
    roundedRect(cr, {1, 1, 19, 19}, 3);
    cairo_fill(cr);
    setColour(cr, {255, 255, 255});
    roundedRect(cr, {2, 2, 18, 18}, 2);
    cairo_fill(cr);
    setColour(cr, {230, 0, 0});
    const double arrow[][2] = {{8, 3}, {12, 3}, {12, 9.5}, {16, 9.5}, {10, 17}, {4, 9.5}, {8, 9.5}};
    for (const auto& point : arrow) {
        cairo_line_to(cr, point[0], point[1]);
    }
    cairo_close_path(cr);
    cairo_fill(cr);
    picture.keyed(kButtonFace, kKey);
}

// A picture of `width` x `height` pixels at 96 dpi, at the scale of `percent`.
Picture atScale(int width, int height, int percent) {
    const int dpi = lur::dpiOfPictureScale(percent);
    return Picture(lur::scaleToDpi(width, dpi), lur::scaleToDpi(height, dpi));
}

std::string scaledName(const std::string& name, int percent) {
    return percent == 100 ? name + ".png" : name + "-" + std::to_string(percent) + ".png";
}

void drawAll(const std::filesystem::path& folder, const Face& serif, const Face& sans) {
    for (int bits : {4, 8, 32}) {
        for (int size : {48, 32, 16}) {
            if (bits == 32 && size == 48) {
                continue;
            }
            Picture icon(size, size);
            drawAppIcon(icon, size, serif, bits == 4);
            if (bits != 32) {
                icon.hardenAlpha();
            }
            icon.write(folder / ("mainicon-" + std::to_string(bits) + "-" + std::to_string(size) + ".png"));
        }
    }
    // The 32-bit images of the sizes that only the larger display scales ask for.
    for (int size : {20, 24}) {
        Picture icon(size, size);
        drawAppIcon(icon, size, serif, false);
        icon.write(folder / ("mainicon-32-" + std::to_string(size) + ".png"));
    }
    for (bool vietnamese : {true, false}) {
        for (int size : lur::kIconSizes) {
            Picture tray(size, size);
            drawTrayIcon(tray, size, vietnamese, sans);
            tray.write(folder / ((vietnamese ? "tk-" : "eng-") + std::to_string(size) + ".png"));
        }
    }
    for (int percent : lur::kPictureScales) {
        const double scale = percent / 100.0;
        Picture sidebar = atScale(29, 282, percent);
        drawSidebar(sidebar, serif, scale);
        sidebar.write(folder / scaledName("sidebar", percent));
        const int markSize = lur::scaleToDpi(16, lur::dpiOfPictureScale(percent));
        Picture menu(6 * markSize, markSize);
        drawMenuStrip(menu, markSize, serif, sans);
        menu.write(folder / scaledName("menu", percent));
        Picture exit = atScale(20, 20, percent);
        Picture help = atScale(20, 20, percent);
        Picture taskbar = atScale(20, 20, percent);
        drawExitButton(exit, scale);
        exit.write(folder / scaledName("btn_exit", percent));
        drawHelpButton(help, sans, scale);
        help.write(folder / scaledName("btn_help", percent));
        drawTaskbarButton(taskbar, scale);
        taskbar.write(folder / scaledName("btn_taskbar", percent));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: draw_pictures <output-folder>\n";
        return 2;
    }
    try {
        const Face serif(LUR_SERIF_BOLD_FONT);
        const Face sans(LUR_SANS_BOLD_FONT);
        std::filesystem::create_directories(argv[1]);
        drawAll(argv[1], serif, sans);
    } catch (const std::exception& e) {
        std::cerr << "draw_pictures: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
