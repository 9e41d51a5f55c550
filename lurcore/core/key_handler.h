// Key events from the keyboard hook in, edits out: modifiers, the switch key, where words end.
#pragma once

#include "lurcore/core/abbreviations.h"
#include "lurcore/core/composer.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>

namespace lurcore::core {

enum class SwitchKey : std::uint8_t { AltZ = 0, ShiftCtrl = 1 };

// The settings the program writes only into its block; read again when a word starts.
struct WordSettings {
    bool spellCheck = true;
    SwitchKey switchKey = SwitchKey::AltZ;
};

// The keyboard as the system has it when a key event arrives: each modifier by side, and Caps Lock's
// toggle. Sampled afresh for every event, so a release that never reached the hook (a locked screen,
// a secure desktop) leaves nothing stuck. The event's own key may or may not be counted in it yet: the
// handler applies the event to the modifiers itself.
struct KeyState {
    enum Modifier : std::uint8_t {
        kLeftShift = 1 << 0,
        kRightShift = 1 << 1,
        kLeftControl = 1 << 2,
        kRightControl = 1 << 3,
        kLeftAlt = 1 << 4,
        kRightAlt = 1 << 5,
        kLeftWin = 1 << 6,
        kRightWin = 1 << 7,
    };
    std::uint8_t held = 0; // Modifier bits
    bool capsLock = false;

    bool shift() const { return (held & (kLeftShift | kRightShift)) != 0; }
    bool control() const { return (held & (kLeftControl | kRightControl)) != 0; }
    bool alt() const { return (held & (kLeftAlt | kRightAlt)) != 0; }
    bool win() const { return (held & (kLeftWin | kRightWin)) != 0; }
};

// The modifier bit a virtual key stands for (the side-less codes count as the left key); 0 for others.
std::uint8_t modifierBit(std::uint16_t virtualKey);

class KeyHandler {
public:
    explicit KeyHandler(std::function<WordSettings()> readSettings);

    void setInputMethod(InputMethod method);
    void setCodeTable(CodeTable table);
    void setToneRule(ToneRule rule);
    // From the user's own file: where the tones go, Quick Telex, the abbreviations (null for none).
    void setToneStyle(ToneStyle style);
    void setQuickTelex(bool on);
    void setAbbreviations(std::shared_ptr<const Abbreviations> abbreviations);
    // On: keys compose. Off: every key goes through (the switch key still switches back).
    void setComposing(bool on);
    bool composing() const { return composing_; }
    // In a program that always types English: keys go through and the switch keys are the
    // program's own keys too. Turning it off leaves typing as it is.
    void setEnglishOnly(bool on);
    // Whether the keyboard's number row gives the digits unshifted (not on a French keyboard): only
    // then are its keys typing keys.
    void setDigitRow(bool givesDigits) { digitRow_ = givesDigits; }
    void endWord() { composer_.endWord(); }
    // A mouse button or wheel, or another window in front, while keys are held: the user is doing
    // something else, and the Shift+Ctrl held now switches nothing when it comes up.
    void otherInput();
    // After a time in which the hook may have missed events (its hooks were put back): the word ends,
    // and every key believed held that is up in `down` (the keyboard as the system has it now) is
    // forgotten, as its release went by unseen.
    void resync(const std::bitset<256>& down);
    bool inWord() const { return composer_.inWord(); }
    const Options& options() const { return composer_.options(); }

    // What to do with the key: pass it on, or swallow it and send the edit (possibly nothing). A
    // release goes through exactly when the application saw the key go down, at its first press or
    // at any repeat; otherwise it is swallowed, so no application sees a lone key-up for a letter it
    // never received, nor misses the key-up of one it did.
    Edit keyDown(std::uint16_t virtualKey, KeyState state);
    Edit keyUp(std::uint16_t virtualKey, KeyState state);

private:
    // A new choice ends the word, as the composer does with any change of its options.
    template <typename Value> void setOption(Value Options::*member, Value value) {
        Options options = composer_.options();
        options.*member = value;
        composer_.setOptions(options);
    }
    Edit decideKeyDown(std::uint16_t virtualKey, KeyState state);
    Edit typeKey(std::uint16_t virtualKey, KeyState state);
    void startWordIfNeeded();
    void toggle();
    Edit expandAbbreviation(std::uint16_t endKey);

    std::function<WordSettings()> readSettings_;
    WordSettings settings_;
    Composer composer_;
    bool composing_ = true;
    bool englishOnly_ = false;
    bool digitRow_ = true;
    bool shiftControlAlone_ = false; // Shift and Ctrl went down together with nothing else yet
    bool chordSpoiled_ = false;      // other input came while Shift or Ctrl was held
    std::bitset<256> passedDown_;    // keys held whose press, or a repeat of it, went through
    std::bitset<256> takenDown_;     // keys held with at least one press taken over
    std::shared_ptr<const Abbreviations> abbreviations_;
    std::array<char16_t, Abbreviations::kMaxUnits> expansion_{}; // the text of the last expansion
};

} // namespace lurcore::core
