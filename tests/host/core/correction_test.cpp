// What each correction does to a text field: a small model of a plain field and of one that completes
// what is typed, driven by the keys each correction sends.
#include "lurcore/core/correction.h"

#include "lurcore/core/virtual_keys.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace lurcore::core {
namespace {

Stroke press(std::uint16_t key) {
    return {Stroke::Kind::Press, key};
}
Stroke unit(char16_t code) {
    return {Stroke::Kind::Unit, code};
}

TEST(CorrectionStrokes, EachCorrectionSendsItsKeysInOrder) {
    const Edit edit{false, 2, u"\u00E1c"}; // "cac" + s: "ac" becomes "ác"
    const Stroke back = press(vk::kBack);
    const std::vector<Stroke> backspaces = {back, back, unit(u'\u00E1'), unit(u'c')};
    const std::vector<Stroke> placeholder = {unit(kPlaceholder), back,      back, back,
                                             unit(u'\u00E1'),    unit(u'c')};
    const std::vector<Stroke> selectOver = {
        {Stroke::Kind::Hold, vk::kShift},    press(vk::kLeft), press(vk::kLeft),
        {Stroke::Kind::Release, vk::kShift}, unit(u'\u00E1'),  unit(u'c')};
    const auto keys = [&](Correction how) {
        const Strokes strokes = strokesFor(edit, how);
        return std::vector<Stroke>(strokes.begin(), strokes.end());
    };
    EXPECT_EQ(keys(Correction::Backspaces), backspaces);
    EXPECT_EQ(keys(Correction::Placeholder), placeholder);
    EXPECT_EQ(keys(Correction::SelectOver), selectOver);
    EXPECT_EQ(strokesFor(edit, Correction::Backspaces).presses(), 4);
    EXPECT_EQ(strokesFor(edit, Correction::Placeholder).presses(), 6); // two keys more
    EXPECT_EQ(strokesFor(edit, Correction::SelectOver).presses(), 5);  // one key more
}

TEST(CorrectionStrokes, TextWithNothingToReplaceIsTypedAsItIs) {
    const Edit edit{false, 0, u"\u00D5"}; // a second code unit of a legacy table
    for (const Correction how : {Correction::Backspaces, Correction::Placeholder, Correction::SelectOver}) {
        const Strokes keys = strokesFor(edit, how);
        ASSERT_EQ(keys.size(), 1u);
        EXPECT_EQ(keys[0], unit(u'\u00D5'));
    }
}

TEST(CorrectionStrokes, AWholeWordOfTwoUnitLettersFits) {
    Edit edit{false, EditText::kCapacity, {}};
    for (int at = 0; at < EditText::kCapacity; ++at) {
        edit.text.push_back(u'a');
    }
    EXPECT_EQ(strokesFor(edit, Correction::Backspaces).presses(), 2 * EditText::kCapacity);
    EXPECT_EQ(strokesFor(edit, Correction::Placeholder).presses(), 2 * EditText::kCapacity + 2);
    EXPECT_EQ(strokesFor(edit, Correction::SelectOver).size(), std::size_t{2 * EditText::kCapacity + 2});
}

// A text field: the text, the selection's fixed end and the caret. A completing field, after each
// character typed at the end, appends the rest of a suggestion and selects it, with the caret at the
// start or the end of the selection; after a Backspace or a space (the placeholder is one) it suggests
// nothing, as address bars do.
class Field {
public:
    enum class Kind { Plain, CaretAfterSuggestion, CaretBeforeSuggestion };
    Field(Kind kind, std::mt19937& random) : kind_(kind), random_(random) {}

    void apply(const Stroke& key) {
        switch (key.kind) {
        case Stroke::Kind::Hold:
        case Stroke::Kind::Release:
            ASSERT_EQ(key.code, vk::kShift);
            shift_ = key.kind == Stroke::Kind::Hold;
            return;
        case Stroke::Kind::Unit:
            type(key.code);
            return;
        case Stroke::Kind::Press:
            if (key.code == vk::kBack) {
                backspace();
            } else {
                ASSERT_EQ(key.code, vk::kLeft);
                left();
            }
            return;
        }
    }
    void type(char16_t character) {
        text_.replace(low(), high() - low(), 1, character);
        anchor_ = caret_ = low() + 1;
        if (kind_ != Kind::Plain && caret_ == text_.size() && character != kPlaceholder) {
            const std::size_t rest = std::uniform_int_distribution<std::size_t>(0, 4)(random_);
            text_.append(rest, u'~');
            (kind_ == Kind::CaretAfterSuggestion ? caret_ : anchor_) = text_.size();
        }
    }
    // What was typed: the text before a selection that runs to the end.
    std::u16string typed() const {
        return high() == text_.size() ? text_.substr(0, low()) : text_ + u"(selection inside)";
    }

private:
    std::size_t low() const { return std::min(anchor_, caret_); }
    std::size_t high() const { return std::max(anchor_, caret_); }
    void backspace() {
        if (low() == high() && caret_ > 0) {
            --anchor_;
        }
        text_.erase(low(), high() - low());
        anchor_ = caret_ = low();
    }
    void left() {
        if (shift_) {
            caret_ -= caret_ > 0 ? 1 : 0;
        } else {
            anchor_ = caret_ = low() == high() && caret_ > 0 ? caret_ - 1 : low();
        }
    }

    Kind kind_;
    std::mt19937& random_;
    std::u16string text_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    bool shift_ = false;
};

// Random words typed into each kind of field, then a random correction; the field must then hold the
// word with its end replaced, and no key but those counted may have been sent.
TEST(CorrectionStrokes, RandomCorrectionsInPlainAndCompletingFields) {
    struct Case {
        Correction how;
        Field::Kind field;
        bool right; // the text always ends right
    };
    const Case cases[] = {
        {Correction::Backspaces, Field::Kind::Plain, true},
        {Correction::Backspaces, Field::Kind::CaretAfterSuggestion, false},
        {Correction::Backspaces, Field::Kind::CaretBeforeSuggestion, false},
        {Correction::Placeholder, Field::Kind::Plain, true},
        {Correction::Placeholder, Field::Kind::CaretAfterSuggestion, true},
        {Correction::Placeholder, Field::Kind::CaretBeforeSuggestion, true},
        {Correction::SelectOver, Field::Kind::Plain, true},
        {Correction::SelectOver, Field::Kind::CaretAfterSuggestion, false},
        {Correction::SelectOver, Field::Kind::CaretBeforeSuggestion, true},
    };
    std::mt19937 random(12);
    for (const Case& test : cases) {
        int wrong = 0;
        for (int trial = 0; trial < 2000; ++trial) {
            Field field(test.field, random);
            std::u16string word(std::uniform_int_distribution<std::size_t>(1, 8)(random), u'a');
            for (char16_t& letter : word) {
                letter = static_cast<char16_t>(u'a' + random() % 26);
                field.type(letter);
            }
            Edit edit{false,
                      static_cast<int>(std::uniform_int_distribution<std::size_t>(1, word.size())(random)),
                      {}};
            const int length = std::uniform_int_distribution<int>(0, 4)(random);
            for (int at = 0; at < length; ++at) {
                edit.text.push_back(static_cast<char16_t>(u'\u00E0' + random() % 32));
            }
            const Strokes keys = strokesFor(edit, test.how);
            for (const Stroke& key : keys) {
                field.apply(key);
            }
            const std::u16string expected =
                word.substr(0, word.size() - static_cast<std::size_t>(edit.backspaces)) +
                std::u16string(edit.text.view());
            wrong += field.typed() != expected ? 1 : 0;

            const int plain = edit.backspaces + static_cast<int>(edit.text.size());
            const int extra = test.how == Correction::Backspaces    ? 0
                              : test.how == Correction::Placeholder ? 2
                              : edit.text.empty()                   ? 2
                                                                    : 1;
            ASSERT_EQ(keys.presses(), plain + extra);
        }
        if (test.right) {
            EXPECT_EQ(wrong, 0) << "correction " << int(test.how) << " field " << int(test.field);
        } else {
            EXPECT_GT(wrong, 1000) << "correction " << int(test.how) << " field " << int(test.field);
        }
    }
}

} // namespace
} // namespace lurcore::core
