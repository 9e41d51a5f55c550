#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/host/pictures/picture_reader.h"

namespace pictures_test {
namespace {

namespace fs = std::filesystem;

const fs::path kCommitted = LUR_PICTURES_DIR;

Picture bmp(const std::string& name) {
    return decodeBmp(readBytes(kCommitted / name));
}
std::vector<IconEntry> icon(const std::string& name) {
    return decodeIco(readBytes(kCommitted / name));
}

bool same(Rgba p, int r, int g, int b) {
    return p[0] == r && p[1] == g && p[2] == b;
}

// Bounding box (left, top, right, bottom, inclusive) of the pixels that pass.
template <typename Pred> std::array<int, 4> extent(const Picture& p, int x0, int x1, Pred pred) {
    std::array<int, 4> box{1000, 1000, -1, -1};
    for (int y = 0; y < p.height; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (pred(p.at(x, y))) {
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
            }
        }
    }
    return box;
}

// --- Application icon --------------------------------------------------------------

TEST(MainIcon, HoldsTenImagesOfTheFixedSizesAndDepths) {
    auto images = icon("mainicon.ico");
    ASSERT_EQ(images.size(), 10u);
    const int expected[10][2] = {{48, 4}, {32, 4},  {16, 4},  {48, 8},  {32, 8},
                                 {16, 8}, {32, 32}, {16, 32}, {24, 32}, {20, 32}};
    for (size_t i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        // Every Windows the program runs on reads each of them: none is PNG.
        EXPECT_FALSE(images[i].png);
        EXPECT_EQ(images[i].width, expected[i][0]);
        EXPECT_EQ(images[i].height, expected[i][0]);
        EXPECT_EQ(images[i].bitsPerPixel, expected[i][1]);
        EXPECT_EQ(images[i].picture.bitsPerPixel, expected[i][1]);
        EXPECT_EQ(images[i].colourCount, expected[i][1] == 4 ? 16 : 0);
    }
}

TEST(MainIcon, CornersAreSeeThroughAndTheScreenIsSolid) {
    for (const IconEntry& image : icon("mainicon.ico")) {
        if (image.png) {
            continue;
        }
        SCOPED_TRACE(std::to_string(image.width) + "px " + std::to_string(image.bitsPerPixel) + "bpp");
        const Picture& p = image.picture;
        int last = image.width - 1;
        // The frame is rounded, and nothing is drawn beside the shadow.
        for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
            EXPECT_TRUE(p.masked(x, y));
            if (image.bitsPerPixel == 32) {
                EXPECT_EQ(p.at(x, y)[3], 0);
            }
        }
        int mid = image.width / 2;
        EXPECT_FALSE(p.masked(mid, mid));
        EXPECT_EQ(p.at(mid, mid)[3], 255);
    }
}

TEST(MainIcon, BallsArePeachBlueAndGreenWithRedLetters) {
    auto images = icon("mainicon.ico");
    const Picture& p = images[3].picture; // 48 px, 256 colours
    // Lower left of each ball, clear of letter and highlight.
    Rgba peach = p.at(9, 23), blue = p.at(21, 24), green = p.at(32, 24);
    EXPECT_TRUE(peach[0] > peach[1] && peach[1] > peach[2] && peach[2] > 60) << peach[0] << "," << peach[1];
    EXPECT_TRUE(blue[2] > blue[0] + 60 && blue[2] > blue[1]);
    EXPECT_TRUE(green[1] > green[0] + 40 && green[1] > green[2] + 40);
    for (int cx : {13, 24, 35}) {
        SCOPED_TRACE(cx);
        auto red = extent(p, cx - 4, cx + 4, [](Rgba c) { return c[0] > 180 && c[1] < 40 && c[2] < 40; });
        EXPECT_GE(red[2] - red[0], 1);
        EXPECT_GE(red[3] - red[1], 3);
    }
}

// --- Tray icons --------------------------------------------------------------------

struct TrayCase {
    const char* file;
    std::array<int, 3> topLeft, bottom, letter;
    std::array<int, 4> letterBox; // left, top, right, bottom
    bool (*isInk)(Rgba);
};

const TrayCase kTrayCases[] = {
    {"tk.ico",
     {255, 138, 0},
     {255, 251, 0},
     {249, 79, 79},
     {8, 5, 23, 26},
     [](Rgba c) { return c[1] < 130; }},
    {"eng.ico",
     {249, 203, 78},
     {251, 90, 17},
     {255, 255, 255},
     {7, 4, 23, 26},
     [](Rgba c) { return c[2] > 90; }},
};

TEST(TrayIcons, AreOpaque32BitImagesWithLetterAndGradientWhereFixed) {
    for (const TrayCase& t : kTrayCases) {
        SCOPED_TRACE(t.file);
        auto images = icon(t.file);
        // 32 and 16 pixels as bitmaps, then 48, 24 and 20 as PNG.
        ASSERT_EQ(images.size(), 5u);
        const int sizes[] = {32, 16, 48, 24, 20};
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(images[i].width, sizes[i]);
            EXPECT_EQ(images[i].bitsPerPixel, 32);
            EXPECT_EQ(images[i].png, i >= 2);
            if (images[i].png) {
                EXPECT_EQ(images[i].pngWidth, sizes[i]);
                EXPECT_EQ(images[i].pngHeight, sizes[i]);
            }
        }
        const Picture& small = images[1].picture;
        ASSERT_EQ(small.width, 16);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                ASSERT_EQ(small.at(x, y)[3], 255) << x << "," << y;
                ASSERT_FALSE(small.masked(x, y)) << x << "," << y;
            }
        }
        EXPECT_TRUE(same(small.at(0, 0), t.topLeft[0], t.topLeft[1], t.topLeft[2]));
        EXPECT_TRUE(same(small.at(8, 15), t.bottom[0], t.bottom[1], t.bottom[2]));

        const Picture& p = images[0].picture;
        ASSERT_EQ(p.width, 32);
        ASSERT_EQ(p.height, 32);
        EXPECT_EQ(p.bitsPerPixel, 32);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                ASSERT_EQ(p.at(x, y)[3], 255) << x << "," << y;
                ASSERT_FALSE(p.masked(x, y)) << x << "," << y;
            }
        }
        EXPECT_TRUE(same(p.at(0, 0), t.topLeft[0], t.topLeft[1], t.topLeft[2]));
        for (int x = 0; x < 32; ++x) {
            EXPECT_TRUE(same(p.at(x, 31), t.bottom[0], t.bottom[1], t.bottom[2])) << "bottom row, x " << x;
        }
        // Letter ink fills its box exactly; the full letter colour reaches the
        // box's edges but for a pixel where a side slants (the V's arms).
        auto ink = extent(p, 0, 32, t.isInk);
        EXPECT_EQ(ink, t.letterBox);
        auto solid = extent(p, 0, 32, [&](Rgba c) { return same(c, t.letter[0], t.letter[1], t.letter[2]); });
        for (int side = 0; side < 4; ++side) {
            EXPECT_LE(std::abs(solid[side] - t.letterBox[side]), 1) << "side " << side;
        }
        EXPECT_EQ(solid[1], t.letterBox[1]);
        EXPECT_EQ(solid[3], t.letterBox[3]);
    }
}

// --- Menu pictures -----------------------------------------------------------------

TEST(MenuStrip, HoldsSixOpaque16PixelPictures) {
    Picture p = bmp("menu.bmp");
    ASSERT_EQ(p.width, 96);
    ASSERT_EQ(p.height, 16);
    EXPECT_EQ(p.bitsPerPixel, 32);
    for (const Rgba& c : p.pixels) {
        ASSERT_EQ(c[3], 255);
    }
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(p.at(32 + x, y), p.at(80 + x, y)) << "picture 5 differs from 2 at " << x << "," << y;
        }
    }
}

TEST(MenuStrip, PicturesShowWhatTheirItemsNeed) {
    Picture p = bmp("menu.bmp");
    auto count = [&](int index, auto pred) {
        int n = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                n += pred(p.at(16 * index + x, y)) ? 1 : 0;
            }
        }
        return n;
    };
    for (int index : {0, 1}) {
        SCOPED_TRACE(index);
        for (int i = 0; i < 16; ++i) {
            EXPECT_TRUE(same(p.at(16 * index + i, 0), 0, 0, 128));
            EXPECT_TRUE(same(p.at(16 * index + i, 15), 0, 0, 128));
            EXPECT_TRUE(same(p.at(16 * index, i), 0, 0, 128));
            EXPECT_TRUE(same(p.at(16 * index + 15, i), 0, 0, 128));
        }
        Rgba inside = p.at(16 * index + 1, 1);
        EXPECT_TRUE(inside[0] == 255 && inside[1] > 200 && inside[2] > 160) << "light peach corner";
    }
    // Exit: the brown X crosses in the middle, Help: a pure red question mark.
    Rgba cross = p.at(8, 8);
    EXPECT_TRUE(cross[0] > cross[1] && cross[1] > cross[2] && cross[0] < 170);
    EXPECT_GE(count(1, [](Rgba c) { return same(c, 255, 0, 0); }), 10);
    EXPECT_GE(count(3, [](Rgba c) { return same(c, 249, 79, 79); }), 6);
    EXPECT_GE(count(4, [](Rgba c) { return same(c, 255, 255, 255); }), 10);
    EXPECT_TRUE(same(p.at(48, 0), 255, 138, 0));
    EXPECT_TRUE(same(p.at(48, 15), 255, 251, 0));
    EXPECT_TRUE(same(p.at(64, 0), 249, 203, 78));
    EXPECT_TRUE(same(p.at(64, 15), 251, 90, 17));
}

// --- Sidebar -----------------------------------------------------------------------

TEST(Sidebar, Is29By282With24BitColour) {
    Picture p = bmp("sidebar.bmp");
    EXPECT_EQ(p.width, 29);
    EXPECT_EQ(p.height, 282);
    EXPECT_EQ(p.bitsPerPixel, 24);
}

TEST(Sidebar, GreyGradientHasTheFixedLevelsAndIsUniformAcrossRows) {
    Picture p = bmp("sidebar.bmp");
    const std::pair<int, int> levels[] = {{0, 241},   {50, 237},  {100, 226}, {150, 207},
                                          {200, 188}, {250, 174}, {281, 170}};
    for (auto [row, grey] : levels) {
        for (int x : {0, 1, 2, 3, 24, 25, 26, 27, 28}) {
            EXPECT_TRUE(same(p.at(x, row), grey, grey, grey)) << "row " << row << " column " << x;
        }
    }
    int previous = 255;
    for (int y = 0; y < 282; ++y) {
        bool clearOfText = y < 65 || y > 275;
        for (int x = 0; x < 29; ++x) {
            if (clearOfText || x < 4 || x > 23) {
                ASSERT_EQ(p.at(x, y), p.at(0, y)) << x << "," << y;
            }
        }
        Rgba c = p.at(0, y);
        ASSERT_TRUE(c[0] == c[1] && c[1] == c[2]) << "row " << y;
        ASSERT_LE(c[0], previous) << "the grey lightens at row " << y;
        previous = c[0];
    }
}

TEST(Sidebar, NameIsOutlinedInDarkGreenFilledGreyGreenAndFillsItsBox) {
    Picture p = bmp("sidebar.bmp");
    auto outline = extent(p, 0, 29, [](Rgba c) { return same(c, 0, 51, 0); });
    auto fill = extent(p, 0, 29, [](Rgba c) { return same(c, 191, 204, 191); });
    auto tinted = extent(p, 0, 29, [](Rgba c) { return c[1] != c[0]; });
    // The ink stays within columns 4..23 and rows 65..275 and spans most of them.
    EXPECT_GE(tinted[0], 4);
    EXPECT_LE(tinted[2], 23);
    EXPECT_GE(tinted[1], 65);
    EXPECT_LE(tinted[3], 275);
    EXPECT_LE(outline[0], 5);
    EXPECT_GE(outline[2], 22);
    EXPECT_LE(outline[1], 67);
    EXPECT_GE(outline[3], 273);
    EXPECT_LE(fill[1], 75);
    EXPECT_GE(fill[3], 265);
}

// --- Button pictures ---------------------------------------------------------------

TEST(ButtonPictures, Are20By20WithAKeyColourUnusedInsideTheFigure) {
    for (const char* name : {"btn_exit.bmp", "btn_help.bmp", "btn_taskbar.bmp"}) {
        SCOPED_TRACE(name);
        Picture p = bmp(name);
        ASSERT_EQ(p.width, 20);
        ASSERT_EQ(p.height, 20);
        EXPECT_EQ(p.bitsPerPixel, 24);
        Rgba key = p.at(0, 19);
        EXPECT_EQ(p.at(0, 0), key);
        EXPECT_EQ(p.at(19, 0), key);
        EXPECT_EQ(p.at(19, 19), key);
        for (int y = 2; y < 18; ++y) {
            for (int x = 2; x < 18; ++x) {
                ASSERT_NE(p.at(x, y), key) << x << "," << y;
            }
        }
    }
}

TEST(ButtonPictures, ShowTheirFigures) {
    auto count = [](const Picture& p, auto pred) {
        return std::count_if(p.pixels.begin(), p.pixels.end(), pred);
    };
    auto white = [](Rgba c) { return c[0] > 240 && c[1] > 240 && c[2] > 240; };
    auto red = [](Rgba c) { return c[0] > 180 && c[1] < 70 && c[2] < 70; };

    Picture exit = bmp("btn_exit.bmp");
    EXPECT_GE(count(exit, white), 25) << "power symbol";
    EXPECT_GE(count(exit, red), 100) << "red square";
    EXPECT_TRUE(white(exit.at(10, 5))) << "the bar at the top";
    EXPECT_FALSE(white(exit.at(10, 12))) << "the ring's inside";
    EXPECT_TRUE(white(exit.at(10, 15))) << "the ring's bottom";
    EXPECT_TRUE(white(exit.at(5, 11)) && white(exit.at(15, 11))) << "the ring's sides";

    Picture help = bmp("btn_help.bmp");
    EXPECT_GE(count(help, red), 20) << "question mark";
    EXPECT_EQ(count(help, white), 0);
    Rgba ground = help.at(3, 16);
    EXPECT_TRUE(ground[0] == 255 && ground[1] > 160 && ground[2] > 80 && ground[2] < ground[1])
        << "light orange";

    Picture taskbar = bmp("btn_taskbar.bmp");
    EXPECT_GE(count(taskbar, red), 40) << "arrow";
    EXPECT_TRUE(white(taskbar.at(3, 16)));
    // Pointing down: the arrow is widest near the bottom.
    auto width = [&](int y) {
        int n = 0;
        for (int x = 0; x < 20; ++x) {
            n += red(taskbar.at(x, y)) ? 1 : 0;
        }
        return n;
    };
    EXPECT_GT(width(11), width(5));
    EXPECT_GT(width(11), width(16));
}

// --- Pictures for the larger display scales -----------------------------------------

// Each is the 96-dpi picture's size at its scale, rounded to the nearest pixel (the menu's strip six
// squares of the rounded mark size), so that the program shows it as it is, never stretched.
TEST(ScaledPictures, ArePngFilesOfThe96DpiSizesAtTheirScales) {
    struct Expected {
        const char* name;
        int width[3];
        int height[3];
    };
    const Expected expected[] = {
        {"sidebar", {36, 44, 58}, {353, 423, 564}}, // 29 x 282 at 125, 150 and 200 %
        {"menu", {120, 144, 192}, {20, 24, 32}},    // six 16-pixel marks
        {"btn_exit", {25, 30, 40}, {25, 30, 40}},   // 20 x 20
        {"btn_help", {25, 30, 40}, {25, 30, 40}},   {"btn_taskbar", {25, 30, 40}, {25, 30, 40}},
    };
    const char* scales[] = {"125", "150", "200"};
    for (const Expected& e : expected) {
        for (int i = 0; i < 3; ++i) {
            const std::string name = std::string(e.name) + "-" + scales[i] + ".png";
            SCOPED_TRACE(name);
            const Bytes file = readBytes(kCommitted / name);
            ASSERT_GE(file.size(), 24u);
            const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
            ASSERT_TRUE(std::equal(std::begin(signature), std::end(signature), file.begin()));
            auto big32 = [&](std::size_t at) {
                return (file[at] << 24) | (file[at + 1] << 16) | (file[at + 2] << 8) | file[at + 3];
            };
            EXPECT_EQ(big32(16), e.width[i]);
            EXPECT_EQ(big32(20), e.height[i]);
        }
    }
}

} // namespace
} // namespace pictures_test
