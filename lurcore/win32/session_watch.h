// The system's notices after which the engine's hooks may be gone: Windows removes a low-level hook that
// once answered later than its time-out, and some security and remote-desktop software resets hooks
// when the session changes hands. Nothing tells a program its hook is gone, so the engine puts its
// hooks back whenever the session is unlocked or reconnected, the machine resumes, or the display
// changes; it never polls.
#pragma once

#include <bitset>
#include <functional>

namespace lurcore {

// The class of the engine's hidden window that takes those notices: a top-level window, as the power
// and display notices are broadcast to top-level windows only.
inline constexpr const wchar_t* kSessionWatchClass = L"LurcoreSessionWatch";

// Made and destroyed on the engine's thread, whose message loop delivers the notices; `notice` runs on
// that thread for each of them.
class SessionWatch {
public:
    explicit SessionWatch(std::function<void()> notice);
    ~SessionWatch();
    SessionWatch(const SessionWatch&) = delete;
    SessionWatch& operator=(const SessionWatch&) = delete;

private:
    std::function<void()> notice_;
    void* window_ = nullptr;
    bool registered_ = false;
};

// The keys the system has down now, by virtual key.
std::bitset<256> keysDownNow();

} // namespace lurcore
