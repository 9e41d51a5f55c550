// The window's choice controls as the handlers see them. Native Win32 controls do not raise a click
// when code ticks them, so the rules for raising handlers live here; the Win32 view only mirrors
// these objects and feeds the user's clicks and picks into them.
//
// - A check box raises onClick on every change of its ticked state, by the user or by code.
// - A radio button raises onClick when it goes from unticked to ticked, by the user or by code, and
//   unticks the other buttons of its group without raising theirs.
// - A drop-down list raises onChange only when the user picks an entry.
// - A handler set off by another runs at once, nested inside it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class Control {
public:
    // Called after every change of state, so that a view can mirror it.
    std::function<void()> onStateChanged;

protected:
    void stateChanged() const {
        if (onStateChanged) {
            onStateChanged();
        }
    }
};

class CheckBox : public Control {
public:
    std::function<void()> onClick;

    bool checked() const { return checked_; }
    void setChecked(bool checked);
    // The user clicked the box: its state flips.
    void userClick() { setChecked(!checked_); }

private:
    bool checked_ = false;
};

class RadioButton;

class RadioGroup {
public:
    void add(RadioButton& button) { buttons_.push_back(&button); }
    const std::vector<RadioButton*>& buttons() const { return buttons_; }

private:
    std::vector<RadioButton*> buttons_;
};

class RadioButton : public Control {
public:
    explicit RadioButton(RadioGroup& group) : group_(group) { group.add(*this); }
    RadioButton(const RadioButton&) = delete;
    RadioButton& operator=(const RadioButton&) = delete;

    std::function<void()> onClick;

    bool checked() const { return checked_; }
    void setChecked(bool checked);
    void userClick() { setChecked(true); }

private:
    void untickQuietly();

    RadioGroup& group_;
    bool checked_ = false;
};

class ComboBox : public Control {
public:
    explicit ComboBox(std::vector<std::u16string> items) : items_(std::move(items)) {}

    std::function<void()> onChange;

    const std::vector<std::u16string>& items() const { return items_; }
    // -1 when no entry is selected.
    int itemIndex() const { return index_; }
    // The selected index as stored in an 8-bit setting: no selection becomes 255.
    std::uint8_t itemIndexByte() const { return static_cast<std::uint8_t>(index_); }
    // Selecting from code raises nothing; an index without an entry leaves the list without a selection.
    void select(int index);
    void userPick(int index);

private:
    std::vector<std::u16string> items_;
    int index_ = -1;
};

} // namespace ui
