// The converter's key: registered for the engine in its user-file thread, which also converts the
// clipboard when the key is pressed, so neither the keyboard hook nor the program waits for it.
#pragma once

#include "lurcore/config/converter_config.h"

#include <functional>
#include <string>

namespace lurcore {

class ClipboardHotkey {
public:
    // `note` puts a line into lurio.log.
    explicit ClipboardHotkey(std::function<void(const std::string&)> note);
    ~ClipboardHotkey();
    ClipboardHotkey(const ClipboardHotkey&) = delete;
    ClipboardHotkey& operator=(const ClipboardHotkey&) = delete;

    // Takes the user file's choices; registers the key again when it changed. A key another program
    // holds is said in the log, and nothing else changes.
    void configure(const config::ConverterConfig& config);
    // Handles the thread's waiting messages; the key's among them converts the clipboard.
    void handleMessages();

private:
    void convertClipboard();

    std::function<void(const std::string&)> note_;
    config::ConverterConfig config_;
    void* window_ = nullptr; // HWND, message-only
    bool registered_ = false;
    bool configured_ = false;
};

} // namespace lurcore
