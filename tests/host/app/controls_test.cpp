// The four rules by which the window's controls raise their handlers.
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <string>

TEST(ControlRules, CheckBoxRaisesOnEveryChangeByUserOrCode) {
    ui::CheckBox box;
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    box.setChecked(true);
    box.setChecked(true);
    box.userClick();
    box.setChecked(false);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(box.checked());
}

TEST(ControlRules, RadioButtonRaisesOnlyWhenItBecomesTicked) {
    ui::RadioGroup group;
    ui::RadioButton a(group), b(group);
    std::string raised;
    a.onClick = [&] { raised += 'a'; };
    b.onClick = [&] { raised += 'b'; };
    a.setChecked(true); // by code
    a.userClick();      // already ticked
    b.userClick();      // unticks a without raising it
    EXPECT_EQ(raised, "ab");
    EXPECT_FALSE(a.checked());
    EXPECT_TRUE(b.checked());
    b.setChecked(false);
    EXPECT_EQ(raised, "ab");
}

TEST(ControlRules, ListRaisesOnlyOnTheUsersPick) {
    ui::ComboBox list({u"one", u"two"});
    int changes = 0;
    list.onChange = [&] { ++changes; };
    list.select(1);
    EXPECT_EQ(changes, 0);
    list.userPick(1);
    EXPECT_EQ(changes, 1) << "a pick of the same entry is still the user's pick";
    list.select(5);
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_EQ(list.itemIndexByte(), 255);
}

TEST(ControlRules, HandlerSetOffByAnotherRunsNested) {
    ui::CheckBox first, second;
    std::string order;
    first.onClick = [&] {
        order += "first{";
        second.setChecked(true);
        order += "}";
    };
    second.onClick = [&] { order += "second"; };
    first.userClick();
    EXPECT_EQ(order, "first{second}");
}

TEST(ControlRules, ViewIsToldOfEveryStateChange) {
    ui::RadioGroup group;
    ui::RadioButton a(group), b(group);
    int aViews = 0;
    a.onStateChanged = [&] { ++aViews; };
    a.setChecked(true);
    b.setChecked(true);
    EXPECT_EQ(aViews, 2) << "ticked, then unticked by its sibling";
}
