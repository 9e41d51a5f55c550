// The record handed to the shell for the tray icon: the shell's notify-icon record (first version,
// ANSI) with the program's own flag byte behind it. Handles have the size of a pointer, so the
// record is laid out as the shell expects on each target: 92 bytes on 32-bit Windows, 112 on 64-bit.
#pragma once

#include <cstddef>
#include <cstdint>

struct TTrayData {
    std::uint32_t cbSize;
    std::uintptr_t hWnd;
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    std::uintptr_t hIcon;
    char szTip[64];
    std::uint8_t VietFlag; // the mode the icon shows: 1 Vietnamese, 0 English
    std::uint8_t padding[sizeof(std::uintptr_t) - 1];
};

// Where the shell's part of the record ends and the program's flag starts.
inline constexpr std::size_t kTrayShellPart = offsetof(TTrayData, szTip) + 64;

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(TTrayData) == 92);
static_assert(offsetof(TTrayData, cbSize) == 0);
static_assert(offsetof(TTrayData, hWnd) == 4);
static_assert(offsetof(TTrayData, uID) == 8);
static_assert(offsetof(TTrayData, uFlags) == 12);
static_assert(offsetof(TTrayData, uCallbackMessage) == 16);
static_assert(offsetof(TTrayData, hIcon) == 20);
static_assert(offsetof(TTrayData, szTip) == 24);
static_assert(offsetof(TTrayData, VietFlag) == 88);
#else
static_assert(sizeof(TTrayData) == 112);
static_assert(offsetof(TTrayData, cbSize) == 0);
static_assert(offsetof(TTrayData, hWnd) == 8);
static_assert(offsetof(TTrayData, uID) == 16);
static_assert(offsetof(TTrayData, uFlags) == 20);
static_assert(offsetof(TTrayData, uCallbackMessage) == 24);
static_assert(offsetof(TTrayData, hIcon) == 32);
static_assert(offsetof(TTrayData, szTip) == 40);
static_assert(offsetof(TTrayData, VietFlag) == 104);
#endif
static_assert(offsetof(TTrayData, VietFlag) == kTrayShellPart);

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
