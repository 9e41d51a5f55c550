#include "platform/win32/form_layout.h"

#include "resources/resource_ids.h"

namespace lurwin {

namespace {

constexpr int kGroup1Left = 14;
constexpr int kGroup1Top = 11;
constexpr int kGroup2Left = 14;
constexpr int kGroup2Top = 145;

using enum ControlKind;
using enum FontKind;
using enum TextAlign;

constexpr ControlPlace in1(ControlId id, ControlKind kind, int l, int t, int w, int h, const wchar_t* caption,
                           FontKind font = Window) {
    return {id, kind, kGroup1Left + l, kGroup1Top + t, w, h, caption, font, Left, TextColour::Window, 0};
}

constexpr ControlPlace in2(ControlId id, int l, int t, int w, int h, const wchar_t* caption) {
    return {id, CheckBox, kGroup2Left + l, kGroup2Top + t, w, h, caption, Window, Left, TextColour::Window,
            0};
}

constexpr ControlPlace button(ControlId id, int t, const wchar_t* caption, int picture) {
    return {id, PictureButton, 299, t, 70, 29, caption, Vietnamese, Left, TextColour::Window, picture};
}

constexpr ControlPlace label(ControlId id, int l, int t, int w, int h, const wchar_t* caption, FontKind font,
                             TextAlign align, TextColour colour) {
    return {id, Label, l, t, w, h, caption, font, align, colour, 0};
}

constexpr ControlPlace group(ControlId id, int l, int t, int w, int h, const wchar_t* caption) {
    return {id, GroupBox, l, t, w, h, caption, Window, Left, TextColour::Window, 0};
}

constexpr ControlPlace kControls[] = {
    in1(kIdVNI, RadioButton, 92, 57, 39, 17, L"VNI"),
    in1(kIdTELEX, RadioButton, 136, 57, 54, 17, L"TELEX"),
    in1(kIdCboMethod, DropDownList, 194, 55, 63, 21, nullptr),
    in1(kIdTbCode, DropDownList, 93, 24, 164, 21, nullptr, Vietnamese),
    in1(kIdcKey, DropDownList, 92, 84, 165, 21, nullptr),
    in2(kIdMold, 8, 18, 161, 17, L"Kiểm tra lỗi chính tả"),
    in2(kIdMOWEL, 8, 40, 169, 17, L"Bỏ dấu ngay sau nguyên âm"),
    in2(kIdMFree, 8, 61, 97, 17, L"Bỏ dấu tự do"),
    in2(kIdchksys, 184, 18, 163, 17, L"Khởi động cùng hệ thống"),
    in2(kIdchkDestop, 184, 40, 161, 17, L"Tạo biểu tượng trên DeskTop"),
    in2(kIdChkQuick, 185, 60, 161, 17, L"Khởi động nhanh"),
    in1(kIdTntLabel1, Label, 15, 28, 45, 13, L"Bảng Mã:"),
    in1(kIdTntLabel3, Label, 15, 57, 39, 13, L"Kiểu gõ:"),
    in1(kIdTntLabel2, Label, 15, 88, 64, 13, L"Phím chuyển:"),
    button(kIdCmdThoat, 14, L"Th&oát", IDB_BTN_EXIT),
    button(kIdTntSpeedButton1, 49, L"Trợ giú&p", IDB_BTN_HELP),
    button(kIdTaskbar, 84, L"Task&Bar", IDB_BTN_TASKBAR),
    label(kIdTntLabel4, 32, 231, 331, 13, L"Bộ gõ tiếng Việt Lurio 2008", Vietnamese, Right,
          TextColour::Caption),
    label(kIdTntLabel5, 40, 250, 318, 14, L"Món quà dâng tặng đồng bào các Dân tộc Việt Nam", Banner, Centre,
          TextColour::Red),
    group(kIdTntGroupBox1, 14, 11, 275, 118, L"Chọn bảng mã và kiểu gõ"),
    group(kIdTntGroupBox2, 14, 145, 355, 82, L"Quy tắc bỏ dấu"),
};

} // namespace

std::span<const ControlPlace> formControls() {
    return kControls;
}

const ControlPlace* findControl(int id) {
    for (const ControlPlace& place : kControls) {
        if (place.id == id) {
            return &place;
        }
    }
    return nullptr;
}

} // namespace lurwin
