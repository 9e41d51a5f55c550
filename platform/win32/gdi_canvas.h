// The tray menu's drawing surface over GDI, for one WM_DRAWITEM. The menu's drawing speaks in pixels
// at 96 dpi; the canvas multiplies every figure by the menu's dpi, and takes the sidebar and the
// pictures made for that dpi.
#pragma once

#include "tray/menu_canvas.h"

#include <windows.h>

namespace lurwin {

class GdiCanvas : public lur::MenuCanvas {
public:
    // `baseFont` supplies every attribute that setFont does not change (the system menu font).
    // `item` is the item's rectangle at 96 dpi and `drawn` the same rectangle on the device: their edges
    // map onto each other exactly, whatever the rounding of the figures between.
    GdiCanvas(HDC dc, HBITMAP sidebar, HBITMAP pictures, const LOGFONTA& baseFont, int dpi,
              const lur::Rect& item, const RECT& drawn);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;
    ~GdiCanvas() override;

    void setFont(const std::string& face, int points) override;
    void fillRect(const lur::Rect& rect, int sysColor) override;
    void copySidebar(int srcX, int srcY, int width, int height, int dstX, int dstY) override;
    void frameRect(const lur::Rect& rect, std::uint32_t rgb) override;
    std::uint32_t sysColor(int index) override { return GetSysColor(index); }
    void drawPicture(int index, int x, int y) override;
    void textOut(int x, int y, const std::string& ansi) override;
    std::string toAnsi(const std::u16string& text) override;

private:
    void selectFont(const LOGFONTA& font);
    void blitFrom(HBITMAP bitmap, int srcX, int srcY, int width, int height, int dstX, int dstY);
    int x(int value) const;
    int y(int value) const;
    int size(int value) const;

    HDC dc_;
    HBITMAP sidebar_;
    HBITMAP pictures_;
    LOGFONTA font_;
    int dpi_;
    lur::Rect item_;
    RECT drawn_;
    HFONT ownFont_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    COLORREF fill_ = 0;
};

} // namespace lurwin
