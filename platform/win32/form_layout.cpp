#include "platform/win32/form_layout.h"

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
    return {id, kind, kGroup1Left + l, kGroup1Top + t, w, h, caption, font, Left};
}

constexpr ControlPlace in2(ControlId id, int l, int t, int w, int h, const wchar_t* caption) {
    return {id, CheckBox, kGroup2Left + l, kGroup2Top + t, w, h, caption, Window, Left};
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
    {kIdCmdThoat, PictureButton, 299, 14, 70, 29, L"Th&oát", Vietnamese, Left},
    {kIdTntSpeedButton1, PictureButton, 299, 49, 70, 29, L"Trợ giú&p", Vietnamese, Left},
    {kIdTaskbar, PictureButton, 299, 84, 70, 29, L"Task&Bar", Vietnamese, Left},
    {kIdTntLabel4, Label, 32, 231, 331, 13, L"Bộ gõ tiếng Việt Lurio 2008", Vietnamese, Right},
    {kIdTntLabel5, Label, 40, 250, 318, 14, L"Món quà dâng tặng đồng bào các Dân tộc Việt Nam", Banner,
     Centre},
    {kIdTntGroupBox1, GroupBox, 14, 11, 275, 118, L"Chọn bảng mã và kiểu gõ", Window, Left},
    {kIdTntGroupBox2, GroupBox, 14, 145, 355, 82, L"Quy tắc bỏ dấu", Window, Left},
};

} // namespace

std::span<const ControlPlace> formControls() {
    return kControls;
}

} // namespace lurwin
