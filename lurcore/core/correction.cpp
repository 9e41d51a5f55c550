#include "lurcore/core/correction.h"

#include "lurcore/core/virtual_keys.h"

#include <algorithm>

namespace lurcore::core {
namespace {

// Executables whose text fields complete what is typed, in lower case.
constexpr std::string_view kCompletingApplications[] = {
    "chrome.exe",                                      // Google Chrome
    "chromium.exe",                                    // Chromium
    "msedge.exe",                                      // Microsoft Edge
    "firefox.exe",                                     // Mozilla Firefox
    "brave.exe",                                       // Brave
    "opera.exe",                                       // Opera and Opera GX
    "vivaldi.exe",                                     // Vivaldi
    "browser.exe",                                     // Coc Coc
    "explorer.exe",                                    // the Run box and the address bar of the file windows
    "searchapp.exe", "searchui.exe", "searchhost.exe", // the taskbar's search box
};

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

} // namespace

Correction correctionForProcess(std::string_view executable) {
    const std::size_t slash = executable.find_last_of("\\/");
    if (slash != std::string_view::npos) {
        executable.remove_prefix(slash + 1);
    }
    for (const std::string_view name : kCompletingApplications) {
        if (sameIgnoringAsciiCase(executable, name)) {
            return Correction::Placeholder;
        }
    }
    return Correction::Backspaces;
}

int Strokes::presses() const {
    return static_cast<int>(
        std::count_if(begin(), end(), [](const Stroke& key) { return key.kind != Stroke::Kind::Release; }));
}

Strokes strokesFor(const Edit& edit, Correction correction) {
    Strokes keys;
    int backspaces = edit.backspaces;
    if (backspaces > 0 && correction == Correction::Placeholder) {
        keys.push_back({Stroke::Kind::Unit, kPlaceholder});
        ++backspaces;
    }
    if (backspaces > 0 && correction == Correction::SelectOver) {
        keys.push_back({Stroke::Kind::Hold, vk::kShift});
        for (int count = 0; count < backspaces; ++count) {
            keys.push_back({Stroke::Kind::Press, vk::kLeft});
        }
        keys.push_back({Stroke::Kind::Release, vk::kShift});
        backspaces = edit.text.empty() ? 1 : 0; // typing over the selection replaces it; else delete it
    }
    for (int count = 0; count < backspaces; ++count) {
        keys.push_back({Stroke::Kind::Press, vk::kBack});
    }
    for (const char16_t unit : edit.text) {
        keys.push_back({Stroke::Kind::Unit, unit});
    }
    return keys;
}

} // namespace lurcore::core
