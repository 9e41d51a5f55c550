// Form1: the program's one window. Its handlers are plain C++ and reach Windows only through the
// platform interfaces and the engine's ten functions.
#pragma once

#include "platform/platform.h"
#include "tray/menu_canvas.h"
#include "tray/tray_data.h"
#include "ui/controls.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#if __cpp_exceptions
#include <stdexcept>
#endif

class TForm1;

struct TMenuItem {
    const char* Name;
    std::u16string Caption;
    int Tag;
    int ImageIndex;
    void (TForm1::*OnClick)(); // null: choosing the item does nothing
    bool Measured;             // separators keep the menu system's own size
};

#if __cpp_exceptions
// An error that leaves a handler and is shown to the user by the message loop.
class HandlerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
#endif

// Ends the running handler with an error that the message loop shows to the user: the caller returns
// at once. Built with exceptions this throws HandlerError; without them (the product) the message is
// kept until the handler is over, and the message loop takes it with takeHandlerError().
void raiseHandlerError(std::string message);
std::optional<std::string> takeHandlerError();

class TForm1 {
public:
    explicit TForm1(lur::Platform& platform);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Life of the window.
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void CmdThoatClick();
    void pThoatClick();

    // The controls and the block.
    void Setvalue();
    void UpdateData();
    bool loading() const { return loading_; }

    // Configuration window.
    void TbCodeChange();
    void VNIClick();
    void TELEXClick();
    void CboMethodChange();
    void MFreeClick();
    void MOWELClick();
    void ChkQuickClick();

    // Start with the system, desktop shortcut, help.
    void getDir(std::string& dir);
    void chksysClick();
    void chkDestopClick();
    void TntSpeedButton1Click();

    // Tray icon and the Vietnamese/English switch.
    TTrayData ChIcon(std::uintptr_t wnd, std::uintptr_t icon, TipText tip, const std::uint8_t& flag);
    void FormMouseMove(int x, int y);
    void pVietClick();
    void pAnhClick();
    void TaskbarClick();
    void pCauhinhClick();
    // The shell's notification area was made anew.
    void TaskbarCreated();
    // The engine reports the mode typing is now in (its switch key, a start or stop of its hook).
    void TypingModeChanged(bool vietnamese);
    // The engine's converter key has done its work on the clipboard: a balloon from the icon says what.
    void ClipboardConverted(std::uint32_t characters, std::uint32_t notice);

    // Tray menu.
    void ReSetPicture(std::int32_t table, std::uint8_t vniOn, std::uint8_t telexOn, std::uint8_t viet);
    void ReSetTags();
    std::int32_t MarkIndex(std::uint8_t flag) const { return flag != 0 ? 5 : -1; }
    void pVniClick();
    void pTelexClick();
    void pUniClick();
    void pTCVNClick();
    void pVniTNClick();
    void MenuMeaseItem(TMenuItem& item, int& width, int& height);
    void MenuDrawItem(TMenuItem& item, lur::MenuCanvas& canvas, const lur::Rect& rect, bool selected);
    std::array<TMenuItem*, 13> menuItems();

    std::int32_t sideBarWidth() const { return SideBarWidth; }
    std::int32_t menuItemHeight() const { return MenuItemHeight; }
    lur::Platform& platform() { return p_; }

    // Choice controls, by their names.
    ui::ComboBox TbCode;
    ui::RadioGroup MethodGroup;
    ui::RadioButton VNI;
    ui::RadioButton TELEX;
    ui::ComboBox CboMethod;
    ui::ComboBox cKey;
    ui::CheckBox Mold;
    ui::CheckBox MOWEL;
    ui::CheckBox MFree;
    ui::CheckBox chksys;
    ui::CheckBox chkDestop;
    ui::CheckBox ChkQuick;

    // Tray menu items, in display order.
    TMenuItem pThoat;
    TMenuItem pHelp;
    TMenuItem pCauhinh;
    TMenuItem N1;
    TMenuItem pVni;
    TMenuItem pTelex;
    TMenuItem N2;
    TMenuItem pUni;
    TMenuItem pTCVN;
    TMenuItem pVniTN;
    TMenuItem N3;
    TMenuItem pViet;
    TMenuItem pAnh;

private:
    void addOrRemoveFont(bool add);
    void showModeIcon();
    void showModeOnIcon();
    void chooseInputMethod(std::uint8_t method);
    void chooseCodeTable(std::uint8_t table, bool reloadWindow);
    std::string fontPath();

    lur::Platform& p_;
    std::int32_t SideBarWidth = 0;
    std::int32_t MenuItemHeight = 0;
    bool loading_ = false;
};

// The screen position of the mouse, read at every tray callback.
extern lur::Point CursorPos;

// Makes and unmakes Form1 with its window.
class FormHost {
public:
    virtual ~FormHost() = default;
    // Creates Form1 and its window; FormCreate runs inside.
    virtual TForm1& createForm() = 0;
    // Destroys the window; FormDestroy runs inside.
    virtual void destroyForm() = 0;
};

// The program's main routine; returns the process's exit code.
int runProgram(lur::SystemApi& system, FormHost& host);
