#include "lurcore/core/correction.h"

#include "lurcore/core/virtual_keys.h"

#include <algorithm>

namespace lurcore::core {

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
