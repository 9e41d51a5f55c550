// What drawing one tray-menu item needs from a device context. The layout arithmetic stays portable;
// platform/win32 draws with GDI, tests record the operations.
#pragma once

#include <cstdint>
#include <string>

namespace lur {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Windows system colour indices used by the menu.
inline constexpr int kColorMenuText = 7;
inline constexpr int kColorHighlight = 13;
inline constexpr int kColorHighlightText = 14;
inline constexpr int kColorBtnFace = 15;
inline constexpr int kColorBtnShadow = 16;
inline constexpr int kColorGrayText = 17;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

class MenuCanvas {
public:
    virtual ~MenuCanvas() = default;
    virtual void setFont(const std::string& face, int points) = 0;
    // Fills with a system colour and keeps it as the background for text.
    virtual void fillRect(const Rect& rect, int sysColor) = 0;
    // Plain copy (SRCCOPY) from the sidebar bitmap.
    virtual void copySidebar(int srcX, int srcY, int width, int height, int dstX, int dstY) = 0;
    // A rectangle outline in a 1-pixel pen, with the pen colour given as RGB (0xBBGGRR).
    virtual void frameRect(const Rect& rect, std::uint32_t rgb) = 0;
    virtual std::uint32_t sysColor(int index) = 0;
    // Picture number `index` of the menu's image list, 16 x 16, opaque.
    virtual void drawPicture(int index, int x, int y) = 0;
    virtual void textOut(int x, int y, const std::string& ansi) = 0;
    virtual std::string toAnsi(const std::u16string& text) = 0;
};

} // namespace lur
