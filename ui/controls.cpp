#include "ui/controls.h"

namespace ui {

void CheckBox::setChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    stateChanged();
    if (onClick) {
        onClick();
    }
}

void RadioButton::untickQuietly() {
    if (checked_) {
        checked_ = false;
        stateChanged();
    }
}

void RadioButton::setChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    if (!checked) {
        untickQuietly();
        return;
    }
    for (RadioButton* other : group_.buttons()) {
        if (other != this) {
            other->untickQuietly();
        }
    }
    checked_ = true;
    stateChanged();
    if (onClick) {
        onClick();
    }
}

void ComboBox::select(int index) {
    const int next = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
    if (next != index_) {
        index_ = next;
        stateChanged();
    }
}

void ComboBox::userPick(int index) {
    select(index);
    if (onChange) {
        onChange();
    }
}

} // namespace ui
