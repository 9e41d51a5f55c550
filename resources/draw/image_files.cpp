#include "resources/draw/image_files.h"

#include <fstream>
#include <stdexcept>

#include "resources/draw/palette.h"

namespace draw {

namespace {

void put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

size_t rowBytes(int width, int bitsPerPixel) {
    return (static_cast<size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

void putInfoHeader(Bytes& out, int width, int height, int bitsPerPixel, size_t imageSize,
                   bool printResolution) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bitsPerPixel));
    put32(out, 0); // BI_RGB
    put32(out, static_cast<std::uint32_t>(imageSize));
    put32(out, printResolution ? 2835 : 0); // 72 dpi
    put32(out, printResolution ? 2835 : 0);
    put32(out, 0);
    put32(out, 0);
}

// Pixel rows bottom-up, as BI_RGB keeps them.
Bytes directPixels(const Image& picture, int bitsPerPixel) {
    size_t stride = rowBytes(picture.width, bitsPerPixel);
    Bytes out;
    for (int y = picture.height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.at(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
            if (bitsPerPixel == 32) {
                out.push_back(p[3]);
            }
        }
        out.resize(start + stride, 0);
    }
    return out;
}

Bytes bmp(const Image& picture, int bitsPerPixel) {
    Bytes pixels = directPixels(picture, bitsPerPixel);
    Bytes out{'B', 'M'};
    put32(out, static_cast<std::uint32_t>(14 + 40 + pixels.size()));
    put32(out, 0);
    put32(out, 14 + 40);
    putInfoHeader(out, picture.width, picture.height, bitsPerPixel, pixels.size(), true);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

bool seeThrough(const Image& picture, int x, int y) {
    return picture.at(x, y)[3] < 128;
}

Bytes andMask(const Image& picture, bool fromAlpha) {
    size_t stride = rowBytes(picture.width, 1);
    Bytes out;
    for (int y = picture.height - 1; y >= 0; --y) {
        size_t start = out.size();
        out.resize(start + stride, 0);
        for (int x = 0; x < picture.width; ++x) {
            if (fromAlpha && seeThrough(picture, x, y)) {
                out[start + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return out;
}

// Index of every pixel, 0 for see-through ones. The 4-bit pictures are
// drawn in the standard colours already, so nearest needs no dithering.
std::vector<size_t> paletteIndices(const Image& picture, const std::vector<Rgb>& palette) {
    std::vector<size_t> indices(static_cast<size_t>(picture.width) * picture.height, 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (!seeThrough(picture, x, y)) {
                const std::uint8_t* p = picture.at(x, y);
                indices[static_cast<size_t>(y) * picture.width + x] =
                    nearestIndex(palette, Rgb{p[0], p[1], p[2]});
            }
        }
    }
    return indices;
}

// Palette (always 2^bits entries) followed by the index rows.
Bytes palettedPixels(const Image& picture, int bitsPerPixel) {
    std::vector<Rgb> palette;
    if (bitsPerPixel == 4) {
        palette = standardPalette16();
    } else {
        std::vector<Rgb> colours;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (!seeThrough(picture, x, y)) {
                    const std::uint8_t* p = picture.at(x, y);
                    colours.push_back(Rgb{p[0], p[1], p[2]});
                }
            }
        }
        // Index 0 stays black for the see-through pixels.
        palette = {Rgb{0, 0, 0}};
        for (const Rgb& c : reducedPalette(colours, 255)) {
            palette.push_back(c);
        }
    }
    size_t entries = size_t{1} << bitsPerPixel;
    Bytes out;
    for (size_t i = 0; i < entries; ++i) {
        Rgb c = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
        out.insert(out.end(), {c[2], c[1], c[0], 0});
    }
    std::vector<size_t> indices = paletteIndices(picture, palette);
    size_t stride = rowBytes(picture.width, bitsPerPixel);
    int perByte = 8 / bitsPerPixel;
    for (int y = picture.height - 1; y >= 0; --y) {
        size_t start = out.size();
        out.resize(start + stride, 0);
        for (int x = 0; x < picture.width; ++x) {
            size_t index = indices[static_cast<size_t>(y) * picture.width + x];
            int shift = (perByte - 1 - x % perByte) * bitsPerPixel;
            out[start + static_cast<size_t>(x / perByte)] |= static_cast<std::uint8_t>(index << shift);
        }
    }
    return out;
}

} // namespace

Bytes bmp24(const Image& picture) {
    return bmp(picture, 24);
}
Bytes bmp32(const Image& picture) {
    return bmp(picture, 32);
}

Bytes ico(const std::vector<IconImage>& images) {
    std::vector<Bytes> bodies;
    for (const IconImage& image : images) {
        const Image& pic = image.picture;
        bool paletted = image.bitsPerPixel != 32;
        Bytes colour = paletted ? palettedPixels(pic, image.bitsPerPixel) : directPixels(pic, 32);
        Bytes mask = andMask(pic, paletted || image.maskFromAlpha);
        size_t paletteSize = paletted ? (size_t{4} << image.bitsPerPixel) : 0;
        Bytes body;
        putInfoHeader(body, pic.width, pic.height * 2, image.bitsPerPixel,
                      colour.size() - paletteSize + mask.size(), false);
        body.insert(body.end(), colour.begin(), colour.end());
        body.insert(body.end(), mask.begin(), mask.end());
        bodies.push_back(std::move(body));
    }

    Bytes out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, static_cast<unsigned>(images.size()));
    size_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        out.push_back(static_cast<std::uint8_t>(image.picture.width));
        out.push_back(static_cast<std::uint8_t>(image.picture.height));
        out.push_back(image.bitsPerPixel == 4 ? 16 : 0);
        out.push_back(0);
        put16(out, 1);
        put16(out, static_cast<unsigned>(image.bitsPerPixel));
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, static_cast<std::uint32_t>(offset));
        offset += bodies[i].size();
    }
    for (const Bytes& body : bodies) {
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace draw
