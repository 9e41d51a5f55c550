#include "platform/win32/control_binding.h"

#include "platform/win32/window_ids.h"

#include <algorithm>
#include <utility>

namespace lurwin {

namespace {

// What each control of the window stands for in Form1: a control of the model, or for a push
// button the handler its click raises.
constexpr std::pair<ControlId, ui::CheckBox TForm1::*> kCheckBoxes[] = {
    {kIdMold, &TForm1::Mold},     {kIdMOWEL, &TForm1::MOWEL},         {kIdMFree, &TForm1::MFree},
    {kIdchksys, &TForm1::chksys}, {kIdchkDestop, &TForm1::chkDestop}, {kIdChkQuick, &TForm1::ChkQuick},
};
constexpr std::pair<ControlId, ui::RadioButton TForm1::*> kRadioButtons[] = {
    {kIdVNI, &TForm1::VNI},
    {kIdTELEX, &TForm1::TELEX},
};
constexpr std::pair<ControlId, ui::ComboBox TForm1::*> kLists[] = {
    {kIdTbCode, &TForm1::TbCode},
    {kIdCboMethod, &TForm1::CboMethod},
    {kIdcKey, &TForm1::cKey},
};
constexpr std::pair<ControlId, void (TForm1::*)()> kButtons[] = {
    {kIdCmdThoat, &TForm1::CmdThoatClick},
    {kIdTntSpeedButton1, &TForm1::TntSpeedButton1Click},
    {kIdTaskbar, &TForm1::TaskbarClick},
};

const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

} // namespace

ControlBinding::ControlBinding(HWND window, TForm1& form) : window_(window) {
    for (auto [id, box] : kCheckBoxes) {
        bindButton(id, form.*box, &ControlBinding::mirrorCheck);
    }
    for (auto [id, button] : kRadioButtons) {
        bindButton(id, form.*button, &ControlBinding::mirrorRadio);
    }
    for (auto [id, list] : kLists) {
        bindList(id, form.*list);
    }
    for (auto [id, handler] : kButtons) {
        commands_[id] = [&form, handler](int code, HWND) {
            if (code == BN_CLICKED) {
                (form.*handler)();
            }
        };
    }
}

ControlBinding::~ControlBinding() {
    for (ui::Control* model : models_) {
        model->onStateChanged = nullptr;
    }
}

template <typename Button> void ControlBinding::bindButton(int id, Button& button, Mirror mirror) {
    button.onStateChanged = [this, &button, id, mirror] { (this->*mirror)(id, button.checked()); };
    (this->*mirror)(id, button.checked());
    commands_[id] = [&button](int code, HWND) {
        if (code == BN_CLICKED) {
            button.userClick();
        }
    };
    models_.push_back(&button);
}

void ControlBinding::bindList(int id, ui::ComboBox& list) {
    for (const std::u16string& item : list.items()) {
        SendMessageW(control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item)));
    }
    list.onStateChanged = [this, &list, id] { mirrorList(id, list.itemIndex()); };
    mirrorList(id, list.itemIndex());
    commands_[id] = [this, &list, id](int code, HWND control) {
        onListNotification(id, list, code, control);
    };
    models_.push_back(&list);
}

void ControlBinding::command(int id, int code, HWND control) {
    if (const auto bound = commands_.find(id); bound != commands_.end()) {
        bound->second(code, control);
    }
}

bool ControlBinding::listOpen() const {
    return std::any_of(dropped_.begin(), dropped_.end(), [](const auto& e) { return e.second; });
}

void ControlBinding::mirrorCheck(int id, bool checked) const {
    SendMessageW(control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ControlBinding::mirrorRadio(int id, bool checked) const {
    HWND button = control(id);
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // Only the ticked button of the group is a tab stop.
    const LONG style = GetWindowLongW(button, GWL_STYLE);
    SetWindowLongW(button, GWL_STYLE, checked ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

void ControlBinding::mirrorList(int id, int index) const {
    SendMessageW(control(id), CB_SETCURSEL, index, 0);
}

void ControlBinding::onListNotification(int id, ui::ComboBox& model, int code, HWND list) {
    switch (code) {
    case CBN_DROPDOWN:
        dropped_[id] = true;
        return;
    case CBN_CLOSEUP:
        dropped_[id] = false;
        return;
    case CBN_SELCHANGE:
        // While the list is open the user is only browsing; the pick comes with CBN_SELENDOK.
        if (dropped_[id]) {
            return;
        }
        break;
    case CBN_SELENDOK:
        // Choosing from the open list is a pick even when it is the entry already shown.
        if (dropped_[id]) {
            pickFromList(model, list, true);
            return;
        }
        break;
    case CBN_SELENDCANCEL:
        mirrorList(id, model.itemIndex());
        return;
    default:
        return;
    }
    // A closed list changes by the keyboard; the same change may also be reported once more after
    // the list closes, which must not count twice.
    pickFromList(model, list, false);
}

void ControlBinding::pickFromList(ui::ComboBox& model, HWND list, bool evenIfShown) {
    const int picked = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    if (picked >= 0 && (evenIfShown || picked != model.itemIndex())) {
        model.userPick(picked);
    }
}

} // namespace lurwin
