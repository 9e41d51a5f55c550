// The record handed to the shell for the tray icon: the shell's 88-byte notify-icon record (first
// version, ANSI) with the program's own flag byte behind it. Handles are 32-bit as on the target.
#pragma once

#include <cstddef>
#include <cstdint>

struct TTrayData {
    std::uint32_t cbSize;
    std::uint32_t hWnd;
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    std::uint32_t hIcon;
    char szTip[64];
    std::uint8_t VietFlag; // the mode the icon shows: 1 Vietnamese, 0 English
    std::uint8_t padding[3];
};

static_assert(sizeof(TTrayData) == 92);
static_assert(offsetof(TTrayData, cbSize) == 0);
static_assert(offsetof(TTrayData, hWnd) == 4);
static_assert(offsetof(TTrayData, uID) == 8);
static_assert(offsetof(TTrayData, uFlags) == 12);
static_assert(offsetof(TTrayData, uCallbackMessage) == 16);
static_assert(offsetof(TTrayData, hIcon) == 20);
static_assert(offsetof(TTrayData, szTip) == 24);
static_assert(offsetof(TTrayData, VietFlag) == 88);

// A tooltip as a 64-byte zero-padded constant.
struct TipText {
    char bytes[64];
};

inline constexpr TipText makeTip(const char* text) {
    TipText tip{};
    for (int i = 0; i < 63 && text[i] != '\0'; ++i) {
        tip.bytes[i] = text[i];
    }
    return tip;
}

inline constexpr TipText kTipStart = makeTip("VietNamese");
inline constexpr TipText kTipVietnamese = makeTip("Tieng Viet");
inline constexpr TipText kTipEnglish = makeTip("Tieng Anh");

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kTrayCallbackMessage = 512; // WM_MOUSEMOVE
inline constexpr int kMouseLeftUp = 514;
inline constexpr int kMouseRightUp = 517;

extern TTrayData TrayData;
