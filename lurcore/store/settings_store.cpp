#include "lurcore/store/settings_store.h"

namespace lurcore {

namespace {

std::uint8_t* bytesOf(TSharedSettings& settings) {
    return reinterpret_cast<std::uint8_t*>(&settings);
}

// A file that was read holds our record or reads as the defaults; a missing one is the defaults.
TSharedSettings settingsIn(const FileRead& read) {
    if (read.status == FileRead::Status::Read) {
        return settingsOrDefaults(read.bytes);
    }
    return kDefaultSettings;
}

} // namespace

SettingsStore::SettingsStore(FileOps& ops, std::string path, Pause pause)
    : ops_(ops), path_(std::move(path)), pause_(std::move(pause)) {}

FileRead SettingsStore::readWithRetry(RetryPolicy retry) {
    FileRead read = ops_.read(path_, kSettingsReadLimit);
    for (int attempt = 1; attempt < retry.attempts && read.status == FileRead::Status::Unreadable;
         ++attempt) {
        pause_(retry.pauseMs);
        read = ops_.read(path_, kSettingsReadLimit);
    }
    return read;
}

void SettingsStore::load(RetryPolicy retry) {
    block_ = kDefaultSettings;
    state_ = State::Loaded;
    if (path_.empty()) {
        return;
    }
    const FileRead read = readWithRetry(retry);
    if (read.status == FileRead::Status::Unreadable) {
        state_ = State::HeldBack;
        handedOut_ = block_;
        changed_.fill(false);
        return;
    }
    block_ = settingsIn(read);
}

void SettingsStore::noteChanges() {
    for (std::size_t i = 0; i < changed_.size(); ++i) {
        changed_[i] = changed_[i] || bytesOf(block_)[i] != bytesOf(handedOut_)[i];
    }
}

bool SettingsStore::store(RetryPolicy retry) {
    if (path_.empty()) {
        return false;
    }
    if (state_ == State::Loaded) {
        return saveAtomically(ops_, path_, encodeSettings(block_));
    }
    noteChanges();
    if (state_ == State::HeldBack) {
        const FileRead read = readWithRetry(retry);
        if (read.status == FileRead::Status::Unreadable) {
            return false;
        }
        fileSettings_ = settingsIn(read);
        state_ = State::Merging;
    }
    TSharedSettings merged = fileSettings_;
    for (std::size_t i = 0; i < changed_.size(); ++i) {
        if (changed_[i]) {
            bytesOf(merged)[i] = bytesOf(block_)[i];
        }
    }
    if (!saveAtomically(ops_, path_, encodeSettings(merged))) {
        return false;
    }
    fileSettings_ = merged;
    return true;
}

} // namespace lurcore
