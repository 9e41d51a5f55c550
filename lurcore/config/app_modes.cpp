#include "lurcore/config/app_modes.h"

#include <algorithm>

namespace lurcore::config {

bool AppModes::listedEnglish(std::string_view program) const {
    return std::binary_search(englishOnly_.begin(), englishOnly_.end(), program);
}

void AppModes::remember() {
    if (!perProgram_ || current_.empty()) {
        return;
    }
    const auto found = std::find_if(remembered_.begin(), remembered_.end(),
                                    [&](const auto& entry) { return entry.first == current_; });
    if (found != remembered_.end()) {
        remembered_.erase(found);
    } else if (remembered_.size() >= kMaxPrograms) {
        remembered_.erase(remembered_.begin());
    }
    remembered_.emplace_back(current_, chosen_);
}

bool AppModes::configure(bool perProgram, std::vector<std::string> englishOnly) {
    std::sort(englishOnly.begin(), englishOnly.end());
    englishOnly_ = std::move(englishOnly);
    if (perProgram != perProgram_) {
        perProgram_ = perProgram;
        remembered_.clear(); // what was remembered before the choice was turned off is out of date
        remember();
    }
    forced_ = listedEnglish(current_);
    return vietnamese();
}

bool AppModes::focus(std::string_view program) {
    if (program == current_) {
        return vietnamese();
    }
    remember();
    current_ = program;
    if (perProgram_) {
        const auto found = std::find_if(remembered_.begin(), remembered_.end(),
                                        [&](const auto& entry) { return entry.first == current_; });
        if (found != remembered_.end()) {
            chosen_ = found->second;
        }
        remember();
    }
    forced_ = listedEnglish(current_);
    return vietnamese();
}

void AppModes::choose(bool vietnamese) {
    chosen_ = vietnamese;
    remember();
}

bool AppModes::switched(bool vietnamese) {
    if (!forced_) {
        chosen_ = vietnamese;
        remember();
    }
    return this->vietnamese();
}

} // namespace lurcore::config
