#include "lurcore/store/run_command.h"

namespace lurcore {

std::string runCommandFor(const std::string& path) {
    std::string bare = path;
    if (bare.size() >= 2 && bare.front() == '"' && bare.back() == '"') {
        bare = bare.substr(1, bare.size() - 2);
    }
    if (bare.empty() || bare.find('"') != std::string::npos) {
        return {};
    }
    return '"' + bare + '"';
}

} // namespace lurcore
