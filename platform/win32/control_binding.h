// Binds Form1's control model to the Win32 controls: each model's changes of state are mirrored into
// its control, and the user's clicks and picks reach the model or the handler a control raises. The
// controls' commands go through one table, made from the kinds the layout gives the controls.
#pragma once

#include "app/form.h"

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

namespace lurwin {

class ControlBinding {
public:
    // Fills the lists and shows the model's present state in every control.
    ControlBinding(HWND window, TForm1& form);
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;
    ~ControlBinding();

    // A control's WM_COMMAND; a command of no bound control does nothing.
    void command(int id, int code, HWND control);
    // True while a list's drop-down is open: a letter typed then belongs to the list.
    bool listOpen() const;

private:
    using Mirror = void (ControlBinding::*)(int id, bool checked) const;
    // A check box or radio button: the model's state shown by `mirror`, the control's click the user's.
    template <typename Button> void bindButton(int id, Button& button, Mirror mirror);
    void bindList(int id, ui::ComboBox& list);
    void onListNotification(int id, ui::ComboBox& model, int code, HWND list);
    void pickFromList(ui::ComboBox& model, HWND list, bool evenIfShown);
    void mirrorCheck(int id, bool checked) const;
    void mirrorRadio(int id, bool checked) const;
    void mirrorList(int id, int index) const;

    HWND control(int id) const { return GetDlgItem(window_, id); }

    HWND window_;
    std::map<int, std::function<void(int code, HWND control)>> commands_;
    std::vector<ui::Control*> models_;
    // Lists whose drop-down is open: a selection change there is the user browsing, not a pick yet.
    std::map<int, bool> dropped_;
};

} // namespace lurwin
