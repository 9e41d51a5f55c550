// Display scale: the window is laid out in pixels at 96 dots per inch, and every figure is multiplied
// by the screen's dpi over 96 when it is drawn. The pictures come drawn at a few fixed scales; the
// program takes the one for the dpi, scaled down between two of them.
#pragma once

#include <array>

namespace lur {

inline constexpr int kDesignDpi = 96;

// `value` at `dpi`: value * dpi / 96 rounded to the nearest whole pixel, halves away from zero (as
// Windows' MulDiv rounds). A dpi of 0 or less counts as 96.
int scaleToDpi(int value, int dpi);

// The scales, in percent, that the pictures are drawn at, smallest first.
inline constexpr std::array<int, 4> kPictureScales{100, 125, 150, 200};

// The dpi a picture scale is meant for: 100 % is 96 dpi.
constexpr int dpiOfPictureScale(int percent) {
    return percent * kDesignDpi / 100;
}

// The index in kPictureScales of the pictures to draw at `dpi` with: the smallest scale at or above
// the dpi's, so that pictures are only ever scaled down; the largest above them all.
int pictureScaleIndex(int dpi);

// The image sizes in the icon files, smallest first.
inline constexpr std::array<int, 5> kIconSizes{16, 20, 24, 32, 48};

// The icon image to show at `pixels` wide: the smallest at or above that size, the largest above all.
int iconImageSize(int pixels);

} // namespace lur
