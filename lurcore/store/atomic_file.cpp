#include "lurcore/store/atomic_file.h"

namespace lurcore {

bool saveAtomically(FileOps& ops, const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temp = path + ".tmp";
    if (!ops.writeDurably(temp, bytes) || !ops.replace(temp, path)) {
        ops.remove(temp);
        return false;
    }
    return true;
}

} // namespace lurcore
