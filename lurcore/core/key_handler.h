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
    // Caps Lock as the system had it when the hook started; the hook's own events keep it after that.
    void setCapsLock(bool on) { capsLock_ = on; }
    void endWord() { composer_.endWord(); }
    bool inWord() const { return composer_.inWord(); }
    const Options& options() const { return composer_.options(); }

    // What to do with the key: pass it on, or swallow it and send the edit (possibly nothing). The
    // release of a key whose press was swallowed is swallowed too, so no application sees a lone
    // key-up for a letter it never received.
    Edit keyDown(std::uint16_t virtualKey);
    Edit keyUp(std::uint16_t virtualKey);

private:
    Edit decideKeyDown(std::uint16_t virtualKey);
    Edit typeKey(std::uint16_t virtualKey);
    void startWordIfNeeded();
    void toggle();
    Edit expandAbbreviation(std::uint16_t endKey);

    std::function<WordSettings()> readSettings_;
    WordSettings settings_;
    Composer composer_;
    bool composing_ = true;
    bool shift_ = false;
    bool control_ = false;
    bool alt_ = false;
    bool win_ = false;
    bool capsLock_ = false;
    bool shiftControlAlone_ = false; // Shift and Ctrl went down together with nothing else yet
    std::bitset<256> swallowedDown_; // keys whose last press was not passed on
    std::shared_ptr<const Abbreviations> abbreviations_;
    std::array<char16_t, Abbreviations::kMaxUnits> expansion_{}; // the text of the last expansion
};

} // namespace lurcore::core
