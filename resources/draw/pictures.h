#pragma once

#include <filesystem>

#include "resources/draw/glyphs.h"
#include "resources/draw/raster.h"

namespace draw {

struct Fonts {
    const Font& serifBold;
    const Font& sansBold;
};

// The application icon at 48, 32 or 16 pixels, with alpha; or drawn in the
// 16 standard colours with hard edges, for the 4-bit images.
Image appIcon(int size, const Font& letterFace, bool sixteenColours = false);

enum class TrayMode { Vietnamese, English };
// The opaque tray picture at 32 or 16 pixels.
Image trayIcon(TrayMode mode, int size, const Font& sansBold);

Image menuSidebar(const Font& serifBold);
Image menuStrip(const Fonts& fonts);

Image exitButton();
Image helpButton(const Font& sansBold);
Image taskbarButton();

// Draws every picture into the folder under its file name.
void drawAllPictures(const std::filesystem::path& folder, const Fonts& fonts);

} // namespace draw
