#include "platform/win32/gdi_canvas.h"

#include <cstring>

namespace lurwin {

namespace {

constexpr int kPictureSize = 16;

} // namespace

GdiCanvas::GdiCanvas(HDC dc, HBITMAP sidebar, HBITMAP pictures, const LOGFONTA& baseFont)
    : dc_(dc), sidebar_(sidebar), pictures_(pictures), font_(baseFont) {
    selectFont(font_);
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
    font_.lfHeight = -MulDiv(points, GetDeviceCaps(dc_, LOGPIXELSY), 72);
    font_.lfWidth = 0;
    selectFont(font_);
}

void GdiCanvas::fillRect(const lur::Rect& rect, int sysColor) {
    fill_ = GetSysColor(sysColor);
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
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
    blitFrom(sidebar_, srcX, srcY, width, height, dstX, dstY);
}

void GdiCanvas::frameRect(const lur::Rect& rect, std::uint32_t rgb) {
    HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(rgb));
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    HGDIOBJ oldBrush = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(pen);
}

void GdiCanvas::drawPicture(int index, int x, int y) {
    // The pictures lie side by side in one 16-pixel-high strip.
    blitFrom(pictures_, index * kPictureSize, 0, kPictureSize, kPictureSize, x, y);
}

void GdiCanvas::textOut(int x, int y, const std::string& ansi) {
    SetBkColor(dc_, fill_);
    SetBkMode(dc_, OPAQUE);
    TextOutA(dc_, x, y, ansi.c_str(), static_cast<int>(ansi.size()));
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
