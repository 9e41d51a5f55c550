#pragma once

#include <functional>
#include <vector>

namespace draw {

struct Vec2 {
    double x = 0;
    double y = 0;
};

// Straight (not premultiplied) colour, channels 0..255, alpha 0..1.
struct Color {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;
};

struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// A shape is a signed distance in pixels (negative inside). The distance may
// underestimate but never overestimate, so a pixel whose centre lies more than
// a half diagonal away from the edge can be taken as wholly in or out.
struct Shape {
    std::function<double(Vec2)> distance;
    Box bounds;
};

using Paint = std::function<Color(Vec2)>;

Shape circle(Vec2 centre, double radius);
Shape ellipse(Vec2 centre, double rx, double ry);
Shape roundedRect(Box box, double radius);
Shape capsule(Vec2 from, Vec2 to, double width);
// A stroke of the given width along the arc from angle a0 to a1 (radians,
// counter-clockwise on screen, 0 pointing right), with round ends.
Shape arcStroke(Vec2 centre, double radius, double a0, double a1, double width);
// Closed contours filled by the nonzero winding rule.
Shape polygons(std::vector<std::vector<Vec2>> contours);

Shape unite(Shape a, Shape b);
Shape intersect(Shape a, Shape b);
Shape subtract(Shape a, Shape b);
// Grows (positive) or shrinks the shape by the given number of pixels.
Shape offset(Shape s, double by);

Paint solid(Color c);
// Colour stops along t in 0..1; t comes from the position.
Paint gradient(std::function<double(Vec2)> t, std::vector<std::pair<double, Color>> stops);
Paint radial(Vec2 centre, double radius, std::vector<std::pair<double, Color>> stops);
Paint vertical(double y0, double y1, std::vector<std::pair<double, Color>> stops);
Paint withAlpha(Paint p, std::function<double(Vec2)> alpha);

// 8-bit RGBA picture, rows top to bottom.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    Image(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * h * 4, 0) {}
    unsigned char* at(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    const unsigned char* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

class Canvas {
public:
    // A hard canvas does no anti-aliasing: a pixel is in a shape when most
    // of it is, which keeps every colour exactly as painted.
    Canvas(int width, int height, bool hard = false);

    // Composites paint over the canvas where the shape is, anti-aliased by
    // supersampling. softness > 0 blurs the edge over that many pixels.
    void fill(const Shape& shape, const Paint& paint, double softness = 0);
    void fill(const Shape& shape, Color c, double softness = 0) { fill(shape, solid(c), softness); }
    void clear(const Paint& paint);

    // Places another picture over this one, top-left corner at (x, y).
    void paste(const Image& picture, int x, int y);

    Image toImage() const;
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_;
    int height_;
    bool hard_;
    std::vector<double> premultiplied_;
};

inline Color rgb(int r, int g, int b, double a = 1) {
    return {double(r), double(g), double(b), a};
}

} // namespace draw
