#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "resources/draw/raster.h"

namespace draw {

using Contours = std::vector<std::vector<Vec2>>;

// Glyph outlines flattened to polygons, in font units with y pointing up;
// one set of contours per glyph, so each can be tested on its own.
struct Outline {
    std::vector<Contours> glyphs;
    double advance = 0;
};

// A TrueType face read through FreeType. Only the unhinted outlines in font
// units are used, so the pictures do not depend on the rasteriser's version.
class Font {
public:
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    Outline glyph(char c) const;
    // Glyphs set one after another on the baseline, tracking added between them.
    Outline text(std::string_view s, double tracking = 0) const;

private:
    struct Library;
    Library* lib_;
};

Box inkBounds(const Outline& outline);

// Scales the outline's ink box onto the target (in pixels, y down); the two
// axes are scaled independently so the ink fills the box exactly.
Shape fitInto(const Outline& outline, Box target);

// Scales the outline uniformly and centres its ink box on the given point.
Shape centredOn(const Outline& outline, Vec2 centre, double pixelsPerUnit);

// Sets the outline to read from bottom to top, letter tops toward the left,
// with its ink box filling the target.
Shape fitTurnedLeft(const Outline& outline, Box target);

} // namespace draw
