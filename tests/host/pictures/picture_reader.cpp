#include "tests/host/pictures/picture_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace pictures_test {

namespace {

unsigned u16(const Bytes& b, size_t at) {
    if (at + 2 > b.size()) {
        throw std::runtime_error("file too short");
    }
    return b[at] | (b[at + 1] << 8);
}

std::uint32_t u32(const Bytes& b, size_t at) {
    return u16(b, at) | (std::uint32_t{u16(b, at + 2)} << 16);
}

size_t stride(int width, int bits) {
    return (static_cast<size_t>(width) * bits + 31) / 32 * 4;
}

// A BITMAPINFOHEADER, its colour table and pixels, starting at `at`.
// `rows` is the picture's height (an icon's header counts the mask too).
Picture decodeDib(const Bytes& b, size_t at, size_t pixelsAt, int rows, bool withMask) {
    if (u32(b, at) != 40 || u16(b, at + 12) != 1 || u32(b, at + 16) != 0) {
        throw std::runtime_error("not a plain BITMAPINFOHEADER");
    }
    Picture p;
    p.width = static_cast<int>(u32(b, at + 4));
    p.height = rows;
    p.bitsPerPixel = static_cast<int>(u16(b, at + 14));
    int bits = p.bitsPerPixel;
    std::vector<Rgba> palette;
    if (bits <= 8) {
        std::uint32_t used = u32(b, at + 32);
        p.paletteColours = used != 0 ? static_cast<int>(used) : 1 << bits;
        for (int i = 0; i < p.paletteColours; ++i) {
            size_t e = at + 40 + static_cast<size_t>(i) * 4;
            palette.push_back({b[e + 2], b[e + 1], b[e], 255});
        }
        if (pixelsAt == 0) {
            pixelsAt = at + 40 + palette.size() * 4;
        }
    } else if (pixelsAt == 0) {
        pixelsAt = at + 40;
    }
    size_t rowBytes = stride(p.width, bits);
    p.pixels.resize(static_cast<size_t>(p.width) * rows);
    for (int y = 0; y < rows; ++y) {
        size_t row = pixelsAt + static_cast<size_t>(rows - 1 - y) * rowBytes;
        if (row + rowBytes > b.size()) {
            throw std::runtime_error("pixels run past the end");
        }
        for (int x = 0; x < p.width; ++x) {
            Rgba& px = p.pixels[static_cast<size_t>(y) * p.width + x];
            if (bits == 24 || bits == 32) {
                size_t e = row + static_cast<size_t>(x) * (bits / 8);
                px = {b[e + 2], b[e + 1], b[e], bits == 32 ? b[e + 3] : 255};
            } else {
                int perByte = 8 / bits;
                int shift = (perByte - 1 - x % perByte) * bits;
                int index = (b[row + static_cast<size_t>(x / perByte)] >> shift) & ((1 << bits) - 1);
                px = palette.at(static_cast<size_t>(index));
            }
        }
    }
    if (withMask) {
        size_t maskAt = pixelsAt + rowBytes * static_cast<size_t>(rows);
        size_t maskRow = stride(p.width, 1);
        if (maskAt + maskRow * static_cast<size_t>(rows) > b.size()) {
            throw std::runtime_error("mask runs past the end");
        }
        for (int y = 0; y < rows; ++y) {
            size_t row = maskAt + static_cast<size_t>(rows - 1 - y) * maskRow;
            for (int x = 0; x < p.width; ++x) {
                p.andMask.push_back(((b[row + static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1) != 0);
            }
        }
    }
    return p;
}

} // namespace

Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Picture decodeBmp(const Bytes& file) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || u32(file, 2) != file.size()) {
        throw std::runtime_error("not a BMP file");
    }
    int height = static_cast<int>(u32(file, 22));
    if (height <= 0) {
        throw std::runtime_error("expected a bottom-up bitmap");
    }
    return decodeDib(file, 14, u32(file, 10), height, false);
}

std::vector<IconEntry> decodeIco(const Bytes& file) {
    if (u16(file, 0) != 0 || u16(file, 2) != 1) {
        throw std::runtime_error("not an icon file");
    }
    std::vector<IconEntry> entries;
    unsigned count = u16(file, 4);
    for (unsigned i = 0; i < count; ++i) {
        size_t e = 6 + 16 * static_cast<size_t>(i);
        IconEntry entry{file.at(e), file.at(e + 1), file.at(e + 2), static_cast<int>(u16(file, e + 6)), {}};
        std::uint32_t size = u32(file, e + 8);
        std::uint32_t offset = u32(file, e + 12);
        if (offset + size > file.size() || size < 24) {
            throw std::runtime_error("bad icon entry");
        }
        static constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        if (std::equal(std::begin(kPngSignature), std::end(kPngSignature), file.begin() + offset)) {
            auto big32 = [&](size_t at) {
                return static_cast<int>((file.at(at) << 24) | (file.at(at + 1) << 16) |
                                        (file.at(at + 2) << 8) | file.at(at + 3));
            };
            entry.png = true;
            entry.pngWidth = big32(offset + 16);
            entry.pngHeight = big32(offset + 20);
            entries.push_back(std::move(entry));
            continue;
        }
        if (static_cast<int>(u32(file, offset + 8)) != 2 * entry.height) {
            throw std::runtime_error("bad icon entry");
        }
        entry.picture = decodeDib(file, offset, 0, entry.height, true);
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace pictures_test
