#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

// Reads back the BMP and ICO files that the picture program writes, as
// Windows would: bottom-up rows, palettes, the icon's AND mask.
namespace pictures_test {

using Bytes = std::vector<std::uint8_t>;
using Rgba = std::array<int, 4>;

struct Picture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<Rgba> pixels;  // top-down; alpha 255 unless the file has alpha
    std::vector<bool> andMask; // icons only, top-down; true = see-through
    int paletteColours = 0;    // entries in the colour table

    Rgba at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool masked(int x, int y) const { return andMask[static_cast<size_t>(y) * width + x]; }
};

struct IconEntry {
    int width;
    int height;
    int colourCount;
    int bitsPerPixel;
    Picture picture; // empty for a PNG image
    bool png = false;
    int pngWidth = 0; // from a PNG image's header
    int pngHeight = 0;
};

Bytes readBytes(const std::filesystem::path& path);
Picture decodeBmp(const Bytes& file);
std::vector<IconEntry> decodeIco(const Bytes& file);

} // namespace pictures_test
