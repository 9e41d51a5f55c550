#include "resources/draw/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace draw {

namespace {

constexpr int kSamples = 8; // per axis, so 64 samples a pixel
constexpr double kHalfDiagonal = 0.75;

double length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

double segmentDistance(Vec2 p, Vec2 a, Vec2 b) {
    double dx = b.x - a.x;
    double dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return length(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

Box grow(Box b, double by) {
    return {b.left - by, b.top - by, b.right + by, b.bottom + by};
}

Color mix(Color a, Color b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Color lookup(const std::vector<std::pair<double, Color>>& stops, double t) {
    if (t <= stops.front().first) {
        return stops.front().second;
    }
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].first) {
            double span = stops[i].first - stops[i - 1].first;
            return mix(stops[i - 1].second, stops[i].second, span > 0 ? (t - stops[i - 1].first) / span : 1);
        }
    }
    return stops.back().second;
}

} // namespace

Shape circle(Vec2 c, double radius) {
    return {[=](Vec2 p) { return length(p.x - c.x, p.y - c.y) - radius; },
            {c.x - radius, c.y - radius, c.x + radius, c.y + radius}};
}

Shape ellipse(Vec2 c, double rx, double ry) {
    double shortest = std::min(rx, ry);
    return {[=](Vec2 p) { return (length((p.x - c.x) / rx, (p.y - c.y) / ry) - 1) * shortest; },
            {c.x - rx, c.y - ry, c.x + rx, c.y + ry}};
}

Shape roundedRect(Box box, double radius) {
    double cx = (box.left + box.right) / 2;
    double cy = (box.top + box.bottom) / 2;
    double hx = (box.right - box.left) / 2 - radius;
    double hy = (box.bottom - box.top) / 2 - radius;
    return {[=](Vec2 p) {
                double qx = std::abs(p.x - cx) - hx;
                double qy = std::abs(p.y - cy) - hy;
                return length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) -
                       radius;
            },
            box};
}

Shape capsule(Vec2 a, Vec2 b, double width) {
    double h = width / 2;
    return {[=](Vec2 p) { return segmentDistance(p, a, b) - h; },
            {std::min(a.x, b.x) - h, std::min(a.y, b.y) - h, std::max(a.x, b.x) + h, std::max(a.y, b.y) + h}};
}

Shape arcStroke(Vec2 c, double radius, double a0, double a1, double width) {
    double h = width / 2;
    Vec2 e0{c.x + radius * std::cos(a0), c.y - radius * std::sin(a0)};
    Vec2 e1{c.x + radius * std::cos(a1), c.y - radius * std::sin(a1)};
    double sweep = a1 - a0;
    return {[=](Vec2 p) {
                double angle = std::atan2(-(p.y - c.y), p.x - c.x) - a0;
                angle -= 2 * std::numbers::pi * std::floor(angle / (2 * std::numbers::pi));
                if (angle <= sweep) {
                    return std::abs(length(p.x - c.x, p.y - c.y) - radius) - h;
                }
                return std::min(length(p.x - e0.x, p.y - e0.y), length(p.x - e1.x, p.y - e1.y)) - h;
            },
            grow({c.x - radius, c.y - radius, c.x + radius, c.y + radius}, h)};
}

Shape polygons(std::vector<std::vector<Vec2>> contours) {
    Box bounds{1e9, 1e9, -1e9, -1e9};
    for (const auto& contour : contours) {
        for (Vec2 v : contour) {
            bounds = {std::min(bounds.left, v.x), std::min(bounds.top, v.y), std::max(bounds.right, v.x),
                      std::max(bounds.bottom, v.y)};
        }
    }
    return {[contours = std::move(contours), bounds](Vec2 p) {
                // Far from the box, the distance to the box will do and
                // spares walking every edge.
                double outside =
                    std::max({bounds.left - p.x, p.x - bounds.right, bounds.top - p.y, p.y - bounds.bottom});
                if (outside > 1) {
                    return outside;
                }
                double nearest = 1e9;
                int winding = 0;
                for (const auto& contour : contours) {
                    for (size_t i = 0; i < contour.size(); ++i) {
                        Vec2 a = contour[i];
                        Vec2 b = contour[(i + 1) % contour.size()];
                        nearest = std::min(nearest, segmentDistance(p, a, b));
                        double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
                        if (a.y <= p.y && b.y > p.y && side > 0) {
                            ++winding;
                        } else if (a.y > p.y && b.y <= p.y && side < 0) {
                            --winding;
                        }
                    }
                }
                return winding != 0 ? -nearest : nearest;
            },
            bounds};
}

Shape unite(Shape a, Shape b) {
    Box box{std::min(a.bounds.left, b.bounds.left), std::min(a.bounds.top, b.bounds.top),
            std::max(a.bounds.right, b.bounds.right), std::max(a.bounds.bottom, b.bounds.bottom)};
    return {[a = std::move(a.distance), b = std::move(b.distance)](Vec2 p) { return std::min(a(p), b(p)); },
            box};
}

Shape intersect(Shape a, Shape b) {
    Box box{std::max(a.bounds.left, b.bounds.left), std::max(a.bounds.top, b.bounds.top),
            std::min(a.bounds.right, b.bounds.right), std::min(a.bounds.bottom, b.bounds.bottom)};
    return {[a = std::move(a.distance), b = std::move(b.distance)](Vec2 p) { return std::max(a(p), b(p)); },
            box};
}

Shape subtract(Shape a, Shape b) {
    return {[a = std::move(a.distance), b = std::move(b.distance)](Vec2 p) { return std::max(a(p), -b(p)); },
            a.bounds};
}

Shape offset(Shape s, double by) {
    return {[d = std::move(s.distance), by](Vec2 p) { return d(p) - by; }, grow(s.bounds, std::max(by, 0.0))};
}

Paint solid(Color c) {
    return [c](Vec2) { return c; };
}

Paint gradient(std::function<double(Vec2)> t, std::vector<std::pair<double, Color>> stops) {
    return [t = std::move(t), stops = std::move(stops)](Vec2 p) { return lookup(stops, t(p)); };
}

Paint radial(Vec2 c, double radius, std::vector<std::pair<double, Color>> stops) {
    return gradient([=](Vec2 p) { return length(p.x - c.x, p.y - c.y) / radius; }, std::move(stops));
}

Paint vertical(double y0, double y1, std::vector<std::pair<double, Color>> stops) {
    return gradient([=](Vec2 p) { return (p.y - y0) / (y1 - y0); }, std::move(stops));
}

Paint withAlpha(Paint paint, std::function<double(Vec2)> alpha) {
    return [paint = std::move(paint), alpha = std::move(alpha)](Vec2 p) {
        Color c = paint(p);
        c.a *= std::clamp(alpha(p), 0.0, 1.0);
        return c;
    };
}

Canvas::Canvas(int width, int height, bool hard)
    : width_(width), height_(height), hard_(hard),
      premultiplied_(static_cast<size_t>(width) * height * 4, 0.0) {}

void Canvas::clear(const Paint& paint) {
    std::fill(premultiplied_.begin(), premultiplied_.end(), 0.0);
    fill(Shape{[](Vec2) { return -1e9; }, {0, 0, double(width_), double(height_)}}, paint);
}

void Canvas::fill(const Shape& shape, const Paint& paint, double softness) {
    double margin = kHalfDiagonal + softness;
    int x0 = std::max(0, int(std::floor(shape.bounds.left - margin)));
    int y0 = std::max(0, int(std::floor(shape.bounds.top - margin)));
    int x1 = std::min(width_, int(std::ceil(shape.bounds.right + margin)));
    int y1 = std::min(height_, int(std::ceil(shape.bounds.bottom + margin)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            Vec2 centre{x + 0.5, y + 0.5};
            double d = shape.distance(centre);
            double coverage;
            if (softness > 0 && !hard_) {
                double t = std::clamp(0.5 - d / softness, 0.0, 1.0);
                coverage = t * t * (3 - 2 * t);
            } else if (d >= kHalfDiagonal) {
                coverage = 0;
            } else if (d <= -kHalfDiagonal) {
                coverage = 1;
            } else {
                int inside = 0;
                for (int j = 0; j < kSamples; ++j) {
                    for (int i = 0; i < kSamples; ++i) {
                        Vec2 s{x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples};
                        inside += shape.distance(s) < 0 ? 1 : 0;
                    }
                }
                coverage = double(inside) / (kSamples * kSamples);
            }
            if (hard_) {
                coverage = coverage >= 0.5 ? 1 : 0;
            }
            if (coverage <= 0) {
                continue;
            }
            Color c = paint(centre);
            double a = std::clamp(c.a, 0.0, 1.0) * coverage;
            double* px = &premultiplied_[(static_cast<size_t>(y) * width_ + x) * 4];
            px[0] = c.r * a + px[0] * (1 - a);
            px[1] = c.g * a + px[1] * (1 - a);
            px[2] = c.b * a + px[2] * (1 - a);
            px[3] = a + px[3] * (1 - a);
        }
    }
}

void Canvas::paste(const Image& picture, int left, int top) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            int tx = left + x;
            int ty = top + y;
            if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) {
                continue;
            }
            const unsigned char* s = picture.at(x, y);
            double a = s[3] / 255.0;
            double* px = &premultiplied_[(static_cast<size_t>(ty) * width_ + tx) * 4];
            for (int k = 0; k < 3; ++k) {
                px[k] = s[k] * a + px[k] * (1 - a);
            }
            px[3] = a + px[3] * (1 - a);
        }
    }
}

Image Canvas::toImage() const {
    Image out(width_, height_);
    for (size_t i = 0; i < premultiplied_.size(); i += 4) {
        double a = premultiplied_[i + 3];
        for (int k = 0; k < 3; ++k) {
            double v = a > 0 ? premultiplied_[i + k] / a : 0;
            out.rgba[i + k] = static_cast<unsigned char>(std::clamp(std::lround(v), 0L, 255L));
        }
        out.rgba[i + 3] = static_cast<unsigned char>(std::clamp(std::lround(a * 255), 0L, 255L));
    }
    return out;
}

} // namespace draw
