#include "platform/win32/gdi_canvas.h"

#include "platform/win32/display_dpi.h"

#include <algorithm>
#include <cstring>

namespace lurwin {

namespace {

constexpr int kPictureSize = 16;

} // namespace

GdiCanvas::GdiCanvas(HDC dc, HBITMAP sidebar, HBITMAP pictures, const LOGFONTA& baseFont, int dpi,
                     const lur::Rect& item, const RECT& drawn)
    : dc_(dc), sidebar_(sidebar), pictures_(pictures), font_(baseFont), dpi_(dpi), item_(item),
      drawn_(drawn) {
    selectFont(font_);
}

int GdiCanvas::x(int value) const {
    if (value == item_.left) {
        return drawn_.left;
    }
    return value == item_.right ? drawn_.right : scaled(value, dpi_);
}

int GdiCanvas::y(int value) const {
    if (value == item_.top) {
        return drawn_.top;
    }
    return value == item_.bottom ? drawn_.bottom : scaled(value, dpi_);
}

int GdiCanvas::size(int value) const {
    return scaled(value, dpi_);
}

GdiCanvas::~GdiCanvas() {
    if (originalFont_ != nullptr) {
        SelectObject(dc_, originalFont_);
    }
    if (ownFont_ != nullptr) {
        DeleteObject(ownFont_);
    }
}

void GdiCanvas::selectFont(const LOGFONTA& font) {
    HFONT next = CreateFontIndirectA(&font);
    if (next == nullptr) {
        return;
    }
    HGDIOBJ previous = SelectObject(dc_, next);
    if (originalFont_ == nullptr) {
        originalFont_ = previous;
    }
    if (ownFont_ != nullptr) {
        DeleteObject(ownFont_);
    }
    ownFont_ = next;
}

void GdiCanvas::setFont(const std::string& face, int points) {
    std::strncpy(font_.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    font_.lfFaceName[LF_FACESIZE - 1] = '\0';
    font_.lfHeight = -MulDiv(points, dpi_, 72);
    font_.lfWidth = 0;
    selectFont(font_);
}

void GdiCanvas::fillRect(const lur::Rect& rect, int sysColor) {
    fill_ = GetSysColor(sysColor);
    const RECT area{x(rect.left), y(rect.top), x(rect.right), y(rect.bottom)};
    FillRect(dc_, &area, GetSysColorBrush(sysColor));
}

void GdiCanvas::blitFrom(HBITMAP bitmap, int srcX, int srcY, int width, int height, int dstX, int dstY) {
    if (bitmap == nullptr) {
        return;
    }
    HDC memory = CreateCompatibleDC(dc_);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(dc_, dstX, dstY, width, height, memory, srcX, srcY, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void GdiCanvas::copySidebar(int srcX, int srcY, int width, int height, int dstX, int dstY) {
    // The strip's rows follow the item's own: where the item ends, the copy ends.
    const int left = x(dstX);
    const int top = y(dstY);
    blitFrom(sidebar_, size(srcX), size(srcY), x(dstX + width) - left, y(dstY + height) - top, left, top);
}

void GdiCanvas::frameRect(const lur::Rect& rect, std::uint32_t rgb) {
    // A line one 96-dpi pixel wide, as thick as that pixel is on this screen.
    const int line = std::max(1, size(1));
    const RECT area{x(rect.left), y(rect.top), x(rect.right), y(rect.bottom)};
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(rgb));
    if (area.bottom - area.top <= 2 * line || area.right - area.left <= 2 * line) {
        FillRect(dc_, &area, brush);
    } else {
        const RECT edges[] = {{area.left, area.top, area.right, area.top + line},
                              {area.left, area.bottom - line, area.right, area.bottom},
                              {area.left, area.top, area.left + line, area.bottom},
                              {area.right - line, area.top, area.right, area.bottom}};
        for (const RECT& edge : edges) {
            FillRect(dc_, &edge, brush);
        }
    }
    DeleteObject(brush);
}

void GdiCanvas::drawPicture(int index, int left, int top) {
    // The pictures lie side by side in one strip, each as wide as the strip is high.
    const int picture = size(kPictureSize);
    blitFrom(pictures_, index * picture, 0, picture, picture, x(left), y(top));
}

void GdiCanvas::textOut(int left, int top, const std::string& ansi) {
    SetBkColor(dc_, fill_);
    SetBkMode(dc_, OPAQUE);
    TextOutA(dc_, x(left), y(top), ansi.c_str(), static_cast<int>(ansi.size()));
}

std::string GdiCanvas::toAnsi(const std::u16string& text) {
    if (text.empty()) {
        return {};
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

} // namespace lurwin
