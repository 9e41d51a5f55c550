// How a correction reaches the text field: which keys replace the letters already on screen. Fields
// that complete what is typed (a browser's address bar, a search box) show the rest of a suggestion
// after each letter, selected, and a Backspace there deletes only that suggestion; such applications
// get a correction that first replaces the selection.
#pragma once

#include "lurcore/core/composer.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace lurcore::core {

enum class Correction : std::uint8_t {
    // One Backspace per unit to replace, then the text: right wherever nothing is selected.
    Backspaces,
    // First an invisible character that replaces a selected suggestion (or lands after the caret when
    // there is none), counted in the Backspaces that follow. Costs two keys per correction. It is a
    // space, and fields do not complete text that ends in one.
    Placeholder,
    // Shift+Left over the units to replace, then the text typed over them. Costs one key (Shift) per
    // correction, but only works where the caret is at the start of a selected suggestion.
    SelectOver,
};

// The invisible character of Correction::Placeholder: NARROW NO-BREAK SPACE.
inline constexpr char16_t kPlaceholder = u'\u202F';

// One key the sender presses: a virtual key pressed and released, a virtual key only pressed or only
// released (Shift held over other keys), or a code unit typed as a Unicode character.
struct Stroke {
    enum class Kind : std::uint8_t { Press, Hold, Release, Unit };
    Kind kind = Kind::Press;
    std::uint16_t code = 0; // virtual key, or code unit for Unit

    bool operator==(const Stroke&) const = default;
};

// The keys of one edit, held inline.
class Strokes {
public:
    // Backspaces or Left presses for every unit shown, the text, and three more keys at most.
    static constexpr int kCapacity = 2 * EditText::kCapacity + 3;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const Stroke* begin() const { return keys_.data(); }
    const Stroke* end() const { return keys_.data() + size_; }
    const Stroke& operator[](std::size_t at) const { return keys_[at]; }
    void push_back(Stroke stroke) {
        if (size_ < kCapacity) {
            keys_[size_++] = stroke;
        }
    }
    // Keys that go down: a Hold counts, its Release does not.
    int presses() const;

private:
    std::array<Stroke, kCapacity> keys_;
    std::uint16_t size_ = 0;
};
// The most keys one edit needs: a key for every unit to replace, one for every unit of the text, and
// the placeholder with its Backspace or Shift held and released (see Correction).
static_assert(Strokes::kCapacity >= EditText::kCapacity + EditText::kCapacity + 3, "every edit's keys fit");

// The keys that carry out `edit` (one that is not passed on) with the given correction.
Strokes strokesFor(const Edit& edit, Correction correction);

} // namespace lurcore::core
