// The tray menu's own look: sidebar strip, picture and caption on every item, etched separators.
#include "app/form.h"

namespace {

constexpr int kItemWidth = 160;
constexpr int kPictureCount = 6;
// Every item copies the strip from ten rows below its own top, so the strip reads as one picture.
constexpr int kStripOffset = 10;

} // namespace

void TForm1::MenuMeaseItem(TMenuItem& /*item*/, int& width, int& height) {
    width = kItemWidth;
    height = MenuItemHeight;
}

void TForm1::MenuDrawItem(TMenuItem& item, lur::MenuCanvas& canvas, const lur::Rect& rect, bool selected) {
    const int l = rect.left;
    const int t = rect.top;
    const int r = rect.right;
    canvas.setFont("Tahoma", 8);
    canvas.fillRect(rect, selected ? lur::kColorHighlight : lur::kColorBtnFace);
    canvas.copySidebar(l, t + kStripOffset, SideBarWidth, MenuItemHeight, l, t);
    if (item.Caption == u"-") {
        canvas.frameRect({l + SideBarWidth, t + 1, r, t + 2}, canvas.sysColor(lur::kColorBtnShadow));
        canvas.frameRect({l + SideBarWidth, t + 2, r, t + 3}, lur::kWhite);
        return;
    }
    ReSetTags();
    if (item.Tag >= 0 && item.Tag < kPictureCount) {
        canvas.drawPicture(item.Tag, l + SideBarWidth + 1, t + 1);
    }
    canvas.textOut(l + SideBarWidth + 31, t + 1, canvas.toAnsi(item.Caption));
}
