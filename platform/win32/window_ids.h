// Control identifiers and window classes of the program's windows, also used by the end-to-end tests
// to find them.
#pragma once

#include "engine/product_names.h"

namespace lurwin {

inline constexpr const wchar_t* kFormClass = L"" LUR_WINDOW_CLASS;
inline constexpr const wchar_t* kApplicationClass = L"LurbApplication";
inline constexpr const wchar_t* kFormCaption = L"" LUR_PRODUCT_NAME;

enum ControlId : int {
    kIdCmdThoat = 1001,
    kIdTntSpeedButton1,
    kIdTaskbar,
    kIdTntGroupBox1,
    kIdTntGroupBox2,
    kIdTntLabel4,
    kIdTntLabel5,
    kIdTntLabel1,
    kIdTbCode,
    kIdTntLabel3,
    kIdVNI,
    kIdTELEX,
    kIdCboMethod,
    kIdTntLabel2,
    kIdcKey,
    kIdMold,
    kIdMOWEL,
    kIdMFree,
    kIdchksys,
    kIdchkDestop,
    kIdChkQuick,
};

// Tray menu commands: kFirstMenuCommand + the item's position in the menu.
inline constexpr int kFirstMenuCommand = 2001;

} // namespace lurwin
