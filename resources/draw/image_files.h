#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "resources/draw/raster.h"

namespace draw {

using Bytes = std::vector<std::uint8_t>;

// Bottom-up BI_RGB bitmaps; the 24-bit one drops alpha, the 32-bit one keeps it.
Bytes bmp24(const Image& picture);
Bytes bmp32(const Image& picture);

struct IconImage {
    Image picture;
    int bitsPerPixel; // 4, 8 or 32
    // For 32-bit images: mark see-through pixels in the AND mask too, for
    // systems that ignore alpha. Off leaves the mask clear everywhere.
    bool maskFromAlpha = true;
};

// An icon file with the images in the order given. 4- and 8-bit images get
// a palette (the 16 standard colours, or a median cut of the picture) and
// take pixels under half opacity as transparent.
Bytes ico(const std::vector<IconImage>& images);

void writeFile(const std::filesystem::path& path, const Bytes& bytes);

} // namespace draw
