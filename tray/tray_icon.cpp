// The tray icon and the Vietnamese/English switch.
#include "app/form.h"
#include "app/typing_options.h"
#include "engine/lurcore.h"

#include <cstring>

TTrayData TrayData{};
lur::Point CursorPos{};

TTrayData TForm1::ChIcon(std::uintptr_t wnd, std::uintptr_t icon, TipText tip, const std::uint8_t& flag) {
    TrayData.cbSize = sizeof(TTrayData);
    TrayData.uID = 1;
    TrayData.hIcon = icon;
    TrayData.hWnd = wnd;
    TrayData.uCallbackMessage = kTrayCallbackMessage;
    TrayData.uFlags = 7; // message, icon and tooltip
    std::memcpy(TrayData.szTip, tip.bytes, sizeof TrayData.szTip);
    TrayData.VietFlag = flag;
    return TrayData;
}

void TForm1::FormMouseMove(int x, int /*y*/) {
    CursorPos = p_.system.cursorPos();
    if (x == kMouseLeftUp) {
        // What the icon shows decides the direction, not VietMode.
        if (TrayData.VietFlag != 0) {
            VietMode = 0;
            pViet.ImageIndex = -1;
            pAnh.ImageIndex = 4;
        } else {
            VietMode = 1;
            pViet.ImageIndex = 3;
            pAnh.ImageIndex = -1;
        }
        showModeOnIcon();
    } else if (x == kMouseRightUp) {
        p_.system.setForegroundToApplication();
        p_.system.processWaitingMessages();
        p_.window.popupMenu(CursorPos);
    }
    p_.window.sendNull();
}

// The icon and tooltip of the current mode.
void TForm1::showModeIcon() {
    if (VietMode != 0) {
        TrayData = ChIcon(p_.window.handle(), p_.window.vietnameseIcon(), kTipVietnamese, VietMode);
    } else {
        TrayData = ChIcon(p_.window.handle(), p_.window.englishIcon(), kTipEnglish, VietMode);
    }
    p_.tray.notifyIcon(kNimModify, &TrayData);
}

// The icon and tooltip of the current mode, then the engine's hook to match.
void TForm1::showModeOnIcon() {
    showModeIcon();
    if (VietMode != 0) {
        StartKeyBoardHook();
    } else {
        StopKeyBoardHook();
    }
}

void TForm1::TypingModeChanged(bool vietnamese) {
    const std::uint8_t mode = vietnamese ? 1 : 0;
    if (VietMode == mode && TrayData.VietFlag == mode) {
        return; // the program made this switch itself and shows it already
    }
    // As a left click would show it, without calling the engine back: it is in this mode already.
    VietMode = mode;
    pViet.ImageIndex = vietnamese ? 3 : -1;
    pAnh.ImageIndex = vietnamese ? -1 : 4;
    showModeIcon();
}

void TForm1::pVietClick() {
    VietMode = 1;
    ReSetPicture(SharedSettings->CodeTable, SharedSettings->UseVni, SharedSettings->UseTelex, VietMode);
    showModeOnIcon();
}

void TForm1::pAnhClick() {
    VietMode = 0;
    ReSetPicture(SharedSettings->CodeTable, SharedSettings->UseVni, SharedSettings->UseTelex, VietMode);
    showModeOnIcon();
}

void TForm1::TaskbarClick() {
    UpdateData();
    Setvalue();
    ReSetPicture(SharedSettings->CodeTable, SharedSettings->UseVni, SharedSettings->UseTelex, VietMode);
    p_.tray.notifyIcon(kNimAdd, &TrayData);
    p_.window.setVisible(false);
}

void TForm1::pCauhinhClick() {
    if (p_.window.visible()) {
        return;
    }
    p_.window.setVisible(true);
    p_.tray.notifyIcon(kNimDelete, &TrayData);
}

void TForm1::TaskbarCreated() {
    // A restarted shell forgets the icon; while the window is hidden it is the only way to reach us.
    if (!p_.window.visible()) {
        p_.tray.notifyIcon(kNimAdd, &TrayData);
    }
}
