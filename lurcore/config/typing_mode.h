// The one rule for the mode typing is in. The program's choice (its start and stop of typing), the
// switch key, the per-program memory and the English-only list, and what is known of the window in
// front (a process with more rights, a keyboard that does not give Latin letters, a full-screen
// program) go in; whether keys are composed, whether the keyboard hook is wanted, and what the icon
// is to show come out. The Windows side gathers the facts and carries out the answer.
#pragma once

#include "lurcore/config/app_modes.h"
#include "lurcore/config/user_config.h"

#include <string>
#include <vector>

namespace lurcore::config {

// What is known of the window in front, apart from its keyboard.
struct WindowFacts {
    std::string program; // as programName() gives it; empty when it cannot be found
    bool noProgram =
        false; // our own windows and the taskbar's: a switch there is meant for the program before
    bool elevated = false; // its process runs with more rights than the engine (runsHigher)
    bool fullScreen = false;
};

// Why typing is in English; None while it is Vietnamese.
enum class EnglishReason : std::uint8_t {
    None,
    NotStarted,  // the program has not started typing yet
    Chosen,      // the user's choice (or the program's memory of it)
    EnglishOnly, // the program is on the English-only list
    Elevated,
    Keyboard, // a layout without Latin letters, the system's Vietnamese keyboard, an open input method
    FullScreen,
};

class TypingMode {
public:
    // The choices from the user's file.
    void configure(bool perProgram, std::vector<std::string> englishOnly, FullScreenRule fullScreen);
    // The program's Vietnamese and English: its start and stop of typing. A start puts the hook in.
    void start();
    void stop();
    // The switch key, where the hook saw it: typing is now `vietnamese` as far as the user is concerned.
    void switched(bool vietnamese);
    // Another window came to the front.
    void foreground(const WindowFacts& window);
    // The keyboard of the window in front, as keyboardComposes() judges it.
    void keyboard(bool composes);

    // Whether the full-screen fact is needed at all.
    bool watchesFullScreen() const { return fullScreenRule_ == FullScreenRule::English; }
    // The keyboard hook is wanted: from the program's first start until its stop, and again when the
    // per-program memory brings Vietnamese back.
    bool listening() const { return started_ && listening_; }
    // Keys compose, and the icon shows Vietnamese.
    bool vietnamese() const { return reason() == EnglishReason::None; }
    // Every key goes through untouched, the switch keys too: the program in front keeps them.
    bool passAll() const;
    EnglishReason reason() const;
    // After the program's stop, whether a program coming to the front could still bring Vietnamese
    // back (its remembered mode): only then must the window in front be watched.
    bool mayListenAgain() const { return listening() || (started_ && modes_.perProgram()); }
    // Whether the program is to be told of the mode: not before its first start.
    bool reports() const { return started_; }

private:
    void listenIfChosen();

    AppModes modes_;
    WindowFacts window_;
    bool keyboardComposes_ = true;
    FullScreenRule fullScreenRule_ = FullScreenRule::Keep;
    bool started_ = false;
    bool listening_ = false;
};

} // namespace lurcore::config
