// The program's pictures at the dpi they are shown at. Each bitmap resource is drawn for 96 dpi; the
// same picture drawn at 125, 150 and 200 % lies beside it as a PNG resource (its number times ten plus
// the scale's place in lur::kPictureScales), decoded only when a screen above 96 dpi asks for it. A dpi
// between two scales gets the larger picture scaled down.
#pragma once

#include <windows.h>

#include <array>

namespace lurwin {

// PNG file data as a 32-bit top-down DIB section; null when the system cannot decode it (Windows
// Imaging Component missing or the data broken).
HBITMAP decodePng(const void* data, DWORD size);

// How the pixels of a picture scaled between two scales are made.
enum class Resample {
    Smooth,  // averaged: the sidebar and the menu's marks
    Nearest, // whole source pixels only: pictures whose key colour must stay exact
};

class ScaledPictures {
public:
    explicit ScaledPictures(HINSTANCE instance) : instance_(instance) {}
    ScaledPictures(const ScaledPictures&) = delete;
    ScaledPictures& operator=(const ScaledPictures&) = delete;
    ~ScaledPictures();

    // Bitmap resource `id` at `dpi`: `cells` pictures of equal width side by side, each one's width
    // and its height those at 96 dpi scaled. Null when the resource is missing. Kept until the same
    // picture is asked for at another dpi, or until destroyed.
    HBITMAP bitmap(int id, int dpi, Resample resample, int cells = 1);
    // Icon resource `id` with its image for `pixels` square; the caller destroys it.
    HICON icon(int id, int pixels) const;

private:
    struct Made {
        int id = 0;
        int dpi = 0;
        HBITMAP bitmap = nullptr;
    };
    HINSTANCE instance_;
    // One entry for each picture the program shows.
    std::array<Made, 8> made_{};
};

// The number of the PNG resource that holds picture `id` at the scale kPictureScales[index].
constexpr int scaledPictureId(int id, int index) {
    return id * 10 + index;
}

} // namespace lurwin
