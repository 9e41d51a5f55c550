#include "resources/draw/pictures.h"

#include <array>
#include <cmath>
#include <string_view>

namespace draw {

namespace {

constexpr int kWidth = 29;
constexpr int kHeight = 282;

// Grey level at chosen rows; rows between are interpolated.
constexpr std::array<std::pair<int, int>, 7> kLevels{
    {{0, 241}, {50, 237}, {100, 226}, {150, 207}, {200, 188}, {250, 174}, {kHeight - 1, 170}}};

constexpr std::string_view kName = "LURIO 2008";
// The ink of the name, outline included, stays inside these pixels.
constexpr Box kTextBox{4, 65, 24, 276};
constexpr double kOutlineOut = 0.55;
constexpr double kOutlineIn = 0.75;

double greyAt(double row) {
    for (size_t i = 1; i < kLevels.size(); ++i) {
        if (row <= kLevels[i].first) {
            double t = (row - kLevels[i - 1].first) / (kLevels[i].first - kLevels[i - 1].first);
            return std::round(kLevels[i - 1].second + (kLevels[i].second - kLevels[i - 1].second) * t);
        }
    }
    return kLevels.back().second;
}

} // namespace

Image menuSidebar(const Font& serifBold) {
    Canvas canvas(kWidth, kHeight);
    canvas.clear([](Vec2 p) {
        double g = greyAt(p.y - 0.5);
        return Color{g, g, g, 1};
    });

    // Letter-space the name so that at its natural proportions it runs the
    // whole length of the box; the fit below then only corrects rounding.
    Box box{kTextBox.left + kOutlineOut, kTextBox.top + kOutlineOut, kTextBox.right - kOutlineOut,
            kTextBox.bottom - kOutlineOut};
    Outline plain = serifBold.text(kName);
    Box ink = inkBounds(plain);
    double perUnit = (box.right - box.left) / (ink.bottom - ink.top);
    double wanted = (box.bottom - box.top) / perUnit;
    double tracking = (wanted - (ink.right - ink.left)) / double(kName.size() - 1);
    Shape name = fitTurnedLeft(serifBold.text(kName, tracking), box);

    canvas.fill(offset(name, kOutlineOut), rgb(0, 51, 0));
    canvas.fill(offset(name, -kOutlineIn), rgb(191, 204, 191));
    return canvas.toImage();
}

} // namespace draw
