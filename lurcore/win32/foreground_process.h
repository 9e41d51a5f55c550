// What the engine learns of the window in front from Windows: its program, whether its process runs
// with more rights than the engine's, its keyboard, whether it fills its screen. The rules that judge
// these facts are portable (lurcore/config); this side only asks.
#pragma once

#include "lurcore/config/typing_mode.h"
#include "lurcore/config/window_rules.h"
#include "lurcore/core/correction.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lurcore {

// Whether an input method is open in the window, asked of its default input-method window with a short
// time-out; empty when it gave no answer in time. A window without one has none open.
std::optional<bool> inputMethodOpenIn(HWND window);

// The window in front and what is known of it. What is learnt of a process is kept for that process
// only: a process is known by its id and its creation time (ids are reused), and it is forgotten when
// another process's window comes to the front or the window goes. For the engine's thread only.
class ForegroundWindow {
public:
    // The user's [completing] list (sorted); the correction is looked up again.
    void setCompleting(std::vector<std::string> completing);

    // A window came to the front: what the mode rule needs to know of it.
    config::WindowFacts arrived(HWND window, bool watchFullScreen);
    // The correction for the window last given to arrived().
    core::Correction correction() const { return correction_; }
    // The keyboard of the window: its layout, what its letter keys give, whether an input method is open.
    config::KeyboardFacts keyboard(HWND window);
    // Whether the window fills its monitor, or the system says a full-screen program runs.
    static bool fullScreen(HWND window);

private:
    struct Identity {
        DWORD id = 0;
        std::uint64_t created = 0;
        bool operator==(const Identity&) const = default;
    };

    HWND window_ = nullptr;
    Identity process_;
    std::string program_;
    bool elevated_ = false;
    core::Correction correction_ = core::Correction::Backspaces;
    std::vector<std::string> completing_;
    config::KeyboardWatch keyboard_;
};

} // namespace lurcore
