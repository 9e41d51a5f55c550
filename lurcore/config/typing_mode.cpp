#include "lurcore/config/typing_mode.h"

namespace lurcore::config {

void TypingMode::configure(bool perProgram, std::vector<std::string> englishOnly, FullScreenRule fullScreen) {
    fullScreenRule_ = fullScreen;
    modes_.configure(perProgram, std::move(englishOnly));
    listenIfChosen();
}

void TypingMode::start() {
    started_ = true;
    listening_ = true;
    modes_.choose(true);
}

void TypingMode::stop() {
    listening_ = false;
    modes_.choose(false);
}

void TypingMode::switched(bool vietnamese) {
    modes_.switched(vietnamese);
}

void TypingMode::foreground(const WindowFacts& window) {
    if (window.noProgram) {
        return; // the window the user came from still counts
    }
    window_ = window;
    keyboardComposes_ = true; // until the new window's keyboard is known
    if (!window.program.empty()) {
        modes_.focus(window.program);
        listenIfChosen();
    }
}

void TypingMode::keyboard(bool composes) {
    keyboardComposes_ = composes;
}

// The per-program memory may bring Vietnamese back after the program's stop: the hook goes in again.
void TypingMode::listenIfChosen() {
    if (started_ && modes_.vietnamese()) {
        listening_ = true;
    }
}

bool TypingMode::passAll() const {
    return modes_.englishOnly() || window_.elevated || !keyboardComposes_ ||
           (window_.fullScreen && fullScreenRule_ == FullScreenRule::English);
}

EnglishReason TypingMode::reason() const {
    if (!started_) {
        return EnglishReason::NotStarted;
    }
    if (window_.elevated) {
        return EnglishReason::Elevated;
    }
    if (modes_.englishOnly()) {
        return EnglishReason::EnglishOnly;
    }
    if (window_.fullScreen && fullScreenRule_ == FullScreenRule::English) {
        return EnglishReason::FullScreen;
    }
    if (!keyboardComposes_) {
        return EnglishReason::Keyboard;
    }
    if (!listening_ || !modes_.vietnamese()) {
        return EnglishReason::Chosen;
    }
    return EnglishReason::None;
}

} // namespace lurcore::config
