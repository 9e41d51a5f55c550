// Vietnamese or English as the user moves between programs: with the per-program choice on, each
// program keeps the mode it was last left in; programs on the English-only list always type English.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lurcore::config {

class AppModes {
public:
    static constexpr std::size_t kMaxPrograms = 64; // the ones used longest ago are forgotten first

    explicit AppModes(bool vietnamese = true) : chosen_(vietnamese) {}

    // The choices from the user's file. Returns the mode typing is to be in now.
    bool configure(bool perProgram, std::vector<std::string> englishOnly);
    // Another program came to the front (its name as programName() gives it). Returns the mode typing
    // is to be in now. A program seen for the first time keeps the mode in force.
    bool focus(std::string_view program);
    // The user switched typing on or off while the current program was in front. Returns the mode
    // typing is in after it: in an English-only program it stays English.
    bool switched(bool vietnamese);
    // The user chose the mode from the program's own menu or icon: it holds also where the program in
    // front is English-only, and comes back when the user leaves it.
    void choose(bool vietnamese);

    bool vietnamese() const { return chosen_ && !forced_; }
    bool englishOnly() const { return forced_; }
    bool perProgram() const { return perProgram_; }

private:
    bool listedEnglish(std::string_view program) const;
    void remember();

    bool perProgram_ = false;
    std::vector<std::string> englishOnly_; // sorted
    std::string current_;
    bool chosen_;                                          // the mode the user wants here
    bool forced_ = false;                                  // the current program is English-only
    std::vector<std::pair<std::string, bool>> remembered_; // used longest ago first
};

} // namespace lurcore::config
