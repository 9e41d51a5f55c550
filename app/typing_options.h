// What the program last handed to the engine: code table, input method and tone-mark rule.
// Not stored as such; every run starts with all three at 0, and the window's creation then takes the
// tone-mark rule from the stored tone boxes before it loads the controls.
#pragma once

#include <cstdint>

class TTypingOptions {
public:
    void SetCharSet(std::uint8_t value) { CharSet = value; }
    void SetKeyMode(std::uint8_t value) { KeyMode = value; }
    void SetToneRule(std::uint8_t value) { ToneRule = value; }
    std::uint8_t GetKeyMode() const { return KeyMode; }
    std::uint8_t GetToneRule() const { return ToneRule; }

    std::uint8_t CharSet = 0;  // 0 Unicode, 1 TCVN3, 2 VNI Windows; read directly, it has no getter
    std::uint8_t KeyMode = 0;  // 0 VNI, 1 Telex
    std::uint8_t ToneRule = 0; // 0 free, 1 right after the vowel, 2 neither box ticked
};

// Created by module start-up, freed by module shutdown.
extern TTypingOptions* TypingOptions;
// 1 while Vietnamese typing is on; 1 at every start and never stored.
extern std::uint8_t VietMode;

// The tone-mark rule from the two tone boxes: free placement wins over right-after-the-vowel.
std::uint8_t ToneRuleFromBoxes(bool free, bool afterVowel);

void moduleStartup();
void moduleShutdownTypingOptions();
