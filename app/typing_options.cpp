#include "app/typing_options.h"

#include "engine/lurcore.h"

TSharedSettings* SharedSettings = nullptr;
TTypingOptions* TypingOptions = nullptr;
std::uint8_t VietMode = 1;

std::uint8_t ToneRuleFromBoxes(bool free, bool afterVowel) {
    if (free) {
        return 0;
    }
    return afterVowel ? 1 : 2;
}

void moduleStartup() {
    delete TypingOptions;
    TypingOptions = new TTypingOptions();
    VietMode = 1;
}

void moduleShutdownTypingOptions() {
    delete TypingOptions;
    TypingOptions = nullptr;
}
