#include "resources/draw/glyphs.h"

#include <algorithm>
#include <stdexcept>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace draw {

namespace {

constexpr int kCurveSteps = 12;

struct Flattener {
    Contours* contours;
    Vec2 pen;

    void to(Vec2 p) {
        contours->back().push_back(p);
        pen = p;
    }
};

Vec2 vec(const FT_Vector* v) {
    return {double(v->x), double(v->y)};
}

int moveTo(const FT_Vector* to, void* user) {
    auto* f = static_cast<Flattener*>(user);
    f->contours->emplace_back();
    f->to(vec(to));
    return 0;
}

int lineTo(const FT_Vector* to, void* user) {
    static_cast<Flattener*>(user)->to(vec(to));
    return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* f = static_cast<Flattener*>(user);
    Vec2 a = f->pen;
    Vec2 c = vec(control);
    Vec2 b = vec(to);
    for (int i = 1; i <= kCurveSteps; ++i) {
        double t = double(i) / kCurveSteps;
        double u = 1 - t;
        f->to({u * u * a.x + 2 * u * t * c.x + t * t * b.x, u * u * a.y + 2 * u * t * c.y + t * t * b.y});
    }
    return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* f = static_cast<Flattener*>(user);
    Vec2 a = f->pen;
    Vec2 p = vec(c1);
    Vec2 q = vec(c2);
    Vec2 b = vec(to);
    for (int i = 1; i <= kCurveSteps; ++i) {
        double t = double(i) / kCurveSteps;
        double u = 1 - t;
        double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
        f->to({w0 * a.x + w1 * p.x + w2 * q.x + w3 * b.x, w0 * a.y + w1 * p.y + w2 * q.y + w3 * b.y});
    }
    return 0;
}

Shape transformed(const Outline& outline, auto map) {
    Shape all{[](Vec2) { return 1e9; }, {1e9, 1e9, -1e9, -1e9}};
    for (const Contours& glyph : outline.glyphs) {
        Contours contours;
        for (const auto& contour : glyph) {
            auto& out = contours.emplace_back();
            for (Vec2 v : contour) {
                out.push_back(map(v));
            }
        }
        all = unite(std::move(all), polygons(std::move(contours)));
    }
    return all;
}

} // namespace

struct Font::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

Font::Font(const std::string& path) : lib_(new Library) {
    if (FT_Init_FreeType(&lib_->library) != 0 ||
        FT_New_Face(lib_->library, path.c_str(), 0, &lib_->face) != 0) {
        if (lib_->library != nullptr) {
            FT_Done_FreeType(lib_->library);
        }
        delete lib_;
        throw std::runtime_error("cannot read font " + path);
    }
}

Font::~Font() {
    FT_Done_Face(lib_->face);
    FT_Done_FreeType(lib_->library);
    delete lib_;
}

Outline Font::glyph(char c) const {
    FT_Face face = lib_->face;
    FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(c));
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        throw std::runtime_error(std::string("no outline for glyph ") + c);
    }
    Outline out;
    out.glyphs.emplace_back();
    Flattener flattener{&out.glyphs.back(), {}};
    FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};
    FT_Outline_Decompose(&face->glyph->outline, &funcs, &flattener);
    out.advance = double(face->glyph->metrics.horiAdvance);
    return out;
}

Outline Font::text(std::string_view s, double tracking) const {
    Outline out;
    double pen = 0;
    for (char c : s) {
        Outline g = glyph(c);
        for (auto& contour : g.glyphs.front()) {
            for (Vec2& v : contour) {
                v.x += pen;
            }
        }
        if (!g.glyphs.front().empty()) {
            out.glyphs.push_back(std::move(g.glyphs.front()));
        }
        pen += g.advance + tracking;
    }
    out.advance = pen - tracking;
    return out;
}

Box inkBounds(const Outline& outline) {
    Box b{1e18, 1e18, -1e18, -1e18};
    for (const Contours& glyph : outline.glyphs) {
        for (const auto& contour : glyph) {
            for (Vec2 v : contour) {
                b = {std::min(b.left, v.x), std::min(b.top, v.y), std::max(b.right, v.x),
                     std::max(b.bottom, v.y)};
            }
        }
    }
    return b; // top holds the lowest y, bottom the highest (y up)
}

Shape fitInto(const Outline& outline, Box target) {
    Box ink = inkBounds(outline);
    double sx = (target.right - target.left) / (ink.right - ink.left);
    double sy = (target.bottom - target.top) / (ink.bottom - ink.top);
    return transformed(outline, [&](Vec2 v) {
        return Vec2{target.left + (v.x - ink.left) * sx, target.top + (ink.bottom - v.y) * sy};
    });
}

Shape centredOn(const Outline& outline, Vec2 centre, double pixelsPerUnit) {
    Box ink = inkBounds(outline);
    double mx = (ink.left + ink.right) / 2;
    double my = (ink.top + ink.bottom) / 2;
    return transformed(outline, [&](Vec2 v) {
        return Vec2{centre.x + (v.x - mx) * pixelsPerUnit, centre.y - (v.y - my) * pixelsPerUnit};
    });
}

Shape fitTurnedLeft(const Outline& outline, Box target) {
    Box ink = inkBounds(outline);
    double along = (target.bottom - target.top) / (ink.right - ink.left);
    double across = (target.right - target.left) / (ink.bottom - ink.top);
    return transformed(outline, [&](Vec2 v) {
        return Vec2{target.left + (ink.bottom - v.y) * across, target.bottom - (v.x - ink.left) * along};
    });
}

} // namespace draw
