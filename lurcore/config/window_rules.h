// What makes typing impossible in the window in front, decided from facts that the Windows side
// gathers: a process that runs with more rights than the engine, a keyboard layout or input method
// that does not give Latin letters, a program that fills its screen.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace lurcore::config {

// A process's mandatory integrity level (the last part of its label: 0x2000 medium, 0x3000 high,
// 0x4000 system); empty when it cannot be read. A window whose process has a higher level than the
// engine's does not let the engine's hook see its keys nor take the keys it sends. A process the engine
// cannot open counts as higher; where the engine cannot read its own level (systems without integrity
// levels) nothing does.
bool runsHigher(std::optional<std::uint32_t> theirs, std::optional<std::uint32_t> ours);

enum class InputMethodState : std::uint8_t { NotAsked, Closed, Open };

// The keyboard of the window in front: its layout's id (the system's keyboard layout handle: the
// language in the low word), what its 26 letter keys A..Z give unshifted (0 where the layout gives
// nothing), and whether an input method is open in it.
struct KeyboardFacts {
    std::uint32_t layout = 0x04090409;
    std::array<char16_t, 26> letters{};
    std::array<char16_t, 10> digits{}; // what the number row's keys 0..9 give unshifted
    InputMethodState inputMethod = InputMethodState::NotAsked;
};

// Whether an input method may be open with this layout, so that it is worth asking the window: the
// Chinese, Japanese and Korean languages and every layout that is an input method itself.
bool mayHaveInputMethod(std::uint32_t layout);

// Whether keys typed with this keyboard can be composed: the layout's letter keys give the Latin
// letters, it is not the system's own Vietnamese keyboard, and no input method is open.
bool keyboardComposes(const KeyboardFacts& keyboard);

// Whether the number row gives the digits unshifted, as VNI's tone keys need (on a French keyboard
// it gives é, è, à... and the digits with Shift): otherwise those keys are not typing keys.
bool digitRowGivesDigits(const KeyboardFacts& keyboard);

// Where the keyboard of the window in front is read from: Windows on the engine's thread, a fake in tests.
class KeyboardSource {
public:
    virtual ~KeyboardSource() = default;
    // The layout of the window in front.
    virtual std::uint32_t layout() = 0;
    // What letter key A + index gives unshifted with that layout; 0 for nothing.
    virtual char16_t letterKey(std::uint32_t layout, int index) = 0;
    // What the number row's key `digit` gives unshifted with that layout; 0 for nothing.
    virtual char16_t digitKey(std::uint32_t layout, int digit) = 0;
    // Whether an input method is open in the window in front; empty when it gave no answer in time.
    virtual std::optional<bool> inputMethodOpen() = 0;
};

// Reads the keyboard of the window in front for keyboardComposes(): each layout's letters once, the
// input method only where the layout may have one. A window that does not answer keeps its last answer.
class KeyboardWatch {
public:
    KeyboardFacts read(KeyboardSource& source);
    // Another window came to the front: its input method has not answered yet.
    void windowChanged() { inputMethod_ = InputMethodState::NotAsked; }

private:
    std::optional<std::uint32_t> layout_;
    std::array<char16_t, 26> letters_{};
    std::array<char16_t, 10> digits_{};
    InputMethodState inputMethod_ = InputMethodState::NotAsked;
};

// The system's answer about notifications (SHQueryUserNotificationState), and the window's and its
// monitor's rectangles in screen pixels.
struct Rectangle {
    long left = 0, top = 0, right = 0, bottom = 0;
};
struct ScreenFacts {
    int notificationState = 0; // 0: no answer
    Rectangle window;
    Rectangle monitor;
    bool desktop = false; // the window is the desktop itself
};

inline constexpr int kNotificationBusy = 2;               // a full-screen program is running
inline constexpr int kNotificationDirect3dFullScreen = 3; // a full-screen Direct3D program is running
inline constexpr int kNotificationPresentation = 4;       // presentation settings are on

// A full-screen program is in front: the system says one is running, or the window covers its monitor.
bool isFullScreen(const ScreenFacts& screen);

} // namespace lurcore::config
