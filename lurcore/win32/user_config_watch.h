// lurio.ini read at start and again whenever it changes, on a thread of its own: reading and logging
// never hold up a key. The converter's key is served on the same thread.
#pragma once

#include "lurcore/config/user_config.h"

#include <functional>
#include <memory>
#include <string>

namespace lurcore {

// The watching thread, told to end when this is destroyed. It holds the module while it runs and ends
// by itself, so whoever ends it never waits (the module may be being unloaded).
class UserConfigWatch {
public:
    UserConfigWatch() = default;
    explicit UserConfigWatch(void* quit) : quit_(quit) {}
    UserConfigWatch(UserConfigWatch&& other) noexcept : quit_(other.quit_) { other.quit_ = nullptr; }
    UserConfigWatch& operator=(UserConfigWatch&&) = delete;
    ~UserConfigWatch();

private:
    void* quit_ = nullptr; // the event that ends the thread
};

// Reads the file in `folder` (UTF-8) now, on the caller's thread, and after each change to it, and
// hands each result to `apply` (on the watching thread after the first). Without a folder nothing is
// read and the defaults stay.
UserConfigWatch watchUserConfig(const std::string& folder,
                                std::function<void(std::unique_ptr<config::UserConfig>)> apply);

} // namespace lurcore
