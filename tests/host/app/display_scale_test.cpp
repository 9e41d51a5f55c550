#include "ui/display_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using lur::iconImageSize;
using lur::kPictureScales;
using lur::pictureScaleIndex;
using lur::scaleToDpi;

TEST(DisplayScale, RoundsToTheNearestPixelWithHalvesAwayFromZero) {
    // Worked by hand: 29 * 120 / 96 = 36.25, 282 * 120 / 96 = 352.5, 21 * 144 / 96 = 31.5,
    // 13 * 110 / 96 = 14.895..., 7 * 120 / 96 = 8.75, -3 * 144 / 96 = -4.5.
    EXPECT_EQ(scaleToDpi(29, 120), 36);
    EXPECT_EQ(scaleToDpi(282, 120), 353);
    EXPECT_EQ(scaleToDpi(21, 144), 32);
    EXPECT_EQ(scaleToDpi(13, 110), 15);
    EXPECT_EQ(scaleToDpi(7, 120), 9);
    EXPECT_EQ(scaleToDpi(-3, 144), -5);
    EXPECT_EQ(scaleToDpi(380, 192), 760);
    // At 96 dpi, and for a dpi the system could not tell, every figure stays as designed.
    for (int value : {-7, 0, 1, 13, 271, 380}) {
        EXPECT_EQ(scaleToDpi(value, 96), value);
        EXPECT_EQ(scaleToDpi(value, 0), value);
    }
}

// Against the exact quotient: the result is never more than half a pixel off, and a tie (exactly half)
// goes away from zero, as MulDiv does.
TEST(DisplayScale, AgreesWithTheExactQuotientOverManyValues) {
    std::mt19937 random(23);
    std::uniform_int_distribution<int> values(-5000, 5000);
    std::uniform_int_distribution<int> dpis(72, 480);
    for (int i = 0; i < 20000; ++i) {
        const int value = values(random);
        const int dpi = dpis(random);
        const long double exact = static_cast<long double>(value) * dpi / 96;
        const int got = scaleToDpi(value, dpi);
        ASSERT_LE(std::fabs(got - exact), 0.5L) << value << " at " << dpi;
        if (std::fabs(std::fabs(got - exact) - 0.5L) < 1e-9L) {
            ASSERT_GT(std::fabs(static_cast<long double>(got)), std::fabs(exact)) << value << " at " << dpi;
        }
    }
}

TEST(DisplayScale, PicksTheNextLargerPictureScale) {
    const std::pair<int, int> cases[] = {
        {96, 100},  {72, 100},  {97, 125},  {110, 125}, {120, 125}, {121, 150},
        {144, 150}, {145, 200}, {168, 200}, {192, 200}, {240, 200}, {0, 100},
    };
    for (auto [dpi, percent] : cases) {
        EXPECT_EQ(kPictureScales[static_cast<std::size_t>(pictureScaleIndex(dpi))], percent) << dpi;
    }
    // Never a picture smaller than wanted while a larger one exists.
    for (int dpi = 1; dpi <= 400; ++dpi) {
        const int percent = kPictureScales[static_cast<std::size_t>(pictureScaleIndex(dpi))];
        if (dpi <= 192) {
            ASSERT_GE(percent * 96, dpi * 100) << dpi;
        }
        if (pictureScaleIndex(dpi) > 0) {
            ASSERT_LT(kPictureScales[static_cast<std::size_t>(pictureScaleIndex(dpi) - 1)] * 96, dpi * 100)
                << dpi;
        }
    }
}

TEST(DisplayScale, PicksTheNextLargerIconImage) {
    const std::pair<int, int> cases[] = {{16, 16}, {1, 16},  {17, 20}, {20, 20}, {22, 24}, {24, 24},
                                         {30, 32}, {32, 32}, {40, 48}, {48, 48}, {64, 48}};
    for (auto [pixels, size] : cases) {
        EXPECT_EQ(iconImageSize(pixels), size) << pixels;
    }
}

} // namespace
