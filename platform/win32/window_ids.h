// Control identifiers and window classes of the program's windows, also used by the end-to-end tests
// to find them.
#pragma once

namespace lurwin {

// The installer finds a running copy by this class (WINDOW_CLASS in installer/lurb.nsi).
inline constexpr const wchar_t* kFormClass = L"LurbForm";
inline constexpr const wchar_t* kApplicationClass = L"LurbApplication";
inline constexpr const wchar_t* kFormCaption = L"Lurio 2008";

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
