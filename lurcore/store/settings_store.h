// The engine's block and its file: read at first use, stored on request, and never put in the place of
// stored settings that could not be read.
#pragma once

#include "engine/lurcore.h"
#include "lurcore/store/atomic_file.h"
#include "lurcore/store/settings_file.h"

#include <array>
#include <functional>
#include <string>

namespace lurcore {

// How long an unreadable file is tried again: `attempts` reads with `pauseMs` between two of them.
struct RetryPolicy {
    int attempts;
    int pauseMs;
};
// At first use: a backup tool or a virus scanner usually lets go of the file within a second.
inline constexpr RetryPolicy kLoadRetry{10, 100};
// At a store: the user has just clicked, so only briefly.
inline constexpr RetryPolicy kStoreRetry{3, 100};

// Larger than any valid file, so an oversize file is seen as such rather than read in part.
inline constexpr std::size_t kSettingsReadLimit = 4096;

// A missing or damaged file means the defaults. A file that is there but cannot be read is left as it
// is: the block starts from the defaults so that typing works, and a store does not write until the
// file can be read again. From then on a store writes the file's own bytes with only the bytes the
// program changed in this run put over them, so the settings the user never touched survive a start
// that could not see them.
class SettingsStore {
public:
    using Pause = std::function<void(int milliseconds)>;

    // `path` empty: there is nowhere to keep the settings; the block stays in memory.
    SettingsStore(FileOps& ops, std::string path, Pause pause);

    void load(RetryPolicy retry = kLoadRetry);
    TSharedSettings& block() { return block_; }
    // Makes the block durable; false when nothing was written.
    bool store(RetryPolicy retry = kStoreRetry);
    // True while a stored file exists that could not be read yet.
    bool holdingBack() const { return state_ == State::HeldBack; }

private:
    enum class State { Loaded, HeldBack, Merging };

    FileRead readWithRetry(RetryPolicy retry);
    void noteChanges();

    FileOps& ops_;
    std::string path_;
    Pause pause_;
    TSharedSettings block_ = kDefaultSettings;
    State state_ = State::Loaded;
    // What the block held when it was handed out after an unreadable start; a byte that differs from
    // it was changed by the program.
    TSharedSettings handedOut_ = kDefaultSettings;
    std::array<bool, sizeof(TSharedSettings)> changed_{};
    // The file's own settings, once it could be read after an unreadable start.
    TSharedSettings fileSettings_ = kDefaultSettings;
};

} // namespace lurcore
