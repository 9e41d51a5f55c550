#include "app/form.h"

#include "app/typing_options.h"
#include "engine/lurcore.h"

namespace {

constexpr int kWindowWidth = 390;
constexpr int kWindowHeight = 305;
constexpr int kMenuItemHeight = 24;
constexpr const char* kFontFile = "\\FONTS\\LurTahoma.ttf";

} // namespace

TForm1::TForm1(lur::Platform& platform)
    : TbCode({u"01 - UNICODE ", u"02 - TCVN3 ", u"03 - VNI WIN "}), VNI(MethodGroup), TELEX(MethodGroup),
      CboMethod({u"VNI", u"TELEX"}),
      cKey({u"01 - ALT + Z", u"02 - SHIFT + CTLR"}), pThoat{"pThoat", u"Exit", 0, 0, &TForm1::pThoatClick,
                                                            true},
      pHelp{"pHelp", u"Help", 1, 1, nullptr, true}, pCauhinh{"pCauhinh", u"Configuration",       2,
                                                             2,          &TForm1::pCauhinhClick, true},
      N1{"N1", u"-", 0, -1, nullptr, false}, pVni{"pVni", u"Vni Input Method", -1,
                                                  -1,     &TForm1::pVniClick,  true},
      pTelex{"pTelex", u"Telex Input Method", -1, -1, &TForm1::pTelexClick, true},
      N2{"N2", u"-", 0, -1, nullptr, false}, pUni{"pUni", u"Unicode Code Table", -1,
                                                  -1,     &TForm1::pUniClick,    true},
      pTCVN{"pTCVN", u"TCVN3 Code Table", -1, -1, &TForm1::pTCVNClick, true},
      pVniTN{"pVniTN", u"Vni Code Table", -1, -1, &TForm1::pVniTNClick, true},
      N3{"N3", u"-", 0, -1, nullptr, false}, pViet{"pViet", u"VietNamese", -1, -1, &TForm1::pVietClick, true},
      pAnh{"pAnh", u"English", -1, -1, &TForm1::pAnhClick, true}, p_(platform) {
    TbCode.select(0);
    cKey.select(0);
    TbCode.onChange = [this] { TbCodeChange(); };
    VNI.onClick = [this] { VNIClick(); };
    TELEX.onClick = [this] { TELEXClick(); };
    CboMethod.onChange = [this] { CboMethodChange(); };
    MOWEL.onClick = [this] { MOWELClick(); };
    MFree.onClick = [this] { MFreeClick(); };
    chksys.onClick = [this] { chksysClick(); };
    chkDestop.onClick = [this] { chkDestopClick(); };
    ChkQuick.onClick = [this] { ChkQuickClick(); };
}

std::array<TMenuItem*, 13> TForm1::menuItems() {
    return {&pThoat, &pHelp, &pCauhinh, &N1, &pVni, &pTelex, &N2, &pUni, &pTCVN, &pVniTN, &N3, &pViet, &pAnh};
}

std::string TForm1::fontPath() {
    return p_.system.windowsDirectory().value_or(std::string()) + kFontFile;
}

void TForm1::addOrRemoveFont(bool add) {
    if (add) {
        p_.system.addFontResource(fontPath());
    } else {
        p_.system.removeFontResource(fontPath());
    }
    p_.system.broadcastFontChange();
}

void TForm1::FormCreate() {
    addOrRemoveFont(true);
    p_.window.setHeight(kWindowHeight);
    p_.window.setWidth(kWindowWidth);
    SideBarWidth = p_.window.sideBarPictureWidth();
    MenuItemHeight = kMenuItemHeight;
    GetSharedData(&SharedSettings);
    ReSetPicture(SharedSettings->CodeTable, SharedSettings->UseVni, SharedSettings->UseTelex, VietMode);
    TrayData = ChIcon(p_.window.handle(), p_.window.vietnameseIcon(), kTipStart, VietMode);
    if (SharedSettings->QuickStart != 0) {
        p_.tray.notifyIcon(kNimAdd, &TrayData);
    }
    // The tone-mark rule the user chose comes back from the stored boxes; Setvalue then ticks the boxes
    // from it and their handlers hand it to the engine.
    TypingOptions->SetToneRule(
        ToneRuleFromBoxes(SharedSettings->FreeTone != 0, SharedSettings->ToneAfterVowel != 0));
    Setvalue();
}

void TForm1::FormShow() {
    Setvalue();
}

void TForm1::FormClose() {
    p_.tray.notifyIcon(kNimDelete, &TrayData);
    addOrRemoveFont(false);
    StopKeyBoardHook();
}

void TForm1::FormDestroy() {
    StopKeyBoardHook();
    addOrRemoveFont(false);
}

void TForm1::CmdThoatClick() {
    UpdateData();
    StopKeyBoardHook();
    p_.tray.notifyIcon(kNimDelete, &TrayData);
    p_.window.close();
}

void TForm1::pThoatClick() {
    StopKeyBoardHook();
    p_.tray.notifyIcon(kNimDelete, &TrayData);
    p_.window.close();
}

namespace {
std::optional<std::string> g_handlerError;
} // namespace

void raiseHandlerError(std::string message) {
#if __cpp_exceptions
    throw HandlerError(message);
#else
    g_handlerError = std::move(message);
#endif
}

std::optional<std::string> takeHandlerError() {
    std::optional<std::string> error = std::move(g_handlerError);
    g_handlerError.reset();
    return error;
}

int runProgram(lur::SystemApi& system, FormHost& host) {
    moduleStartup();
    if (!system.createInstanceMailslot()) {
        // Another copy runs (or the token cannot be had): leave without touching anything.
        system.sendSecondCopyNotice();
        moduleShutdownTypingOptions();
        return 0;
    }
    const bool comInitialized = system.initializeCom();
    system.hideApplicationFromTaskbar();
    system.setRealtimePriorityClass();
    system.setTimeCriticalThreadPriority();
    TForm1& form = host.createForm();
    form.platform().window.setVisible(SharedSettings->QuickStart == 0);
    system.runMessageLoop();
    moduleShutdownTypingOptions();
    if (comInitialized) {
        system.uninitializeCom();
    }
    host.destroyForm();
    return 0;
}
