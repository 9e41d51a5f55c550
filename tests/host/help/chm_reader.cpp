#include "chm_reader.h"

#include <cstring>
#include <utility>

namespace lurhelp_test {
namespace {

std::uint64_t le(const std::vector<unsigned char>& b, std::uint64_t at, int width) {
    std::uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = (v << 8) | b[at + static_cast<std::uint64_t>(i)];
    return v;
}

// Directory numbers: seven bits a byte, most significant first, high bit = more follows.
bool encint(const std::vector<unsigned char>& b, std::uint64_t& at, std::uint64_t end, std::uint64_t& out) {
    out = 0;
    for (int n = 0; n < 10 && at < end; ++n) {
        const unsigned char c = b[at++];
        out = (out << 7) | (c & 0x7Fu);
        if ((c & 0x80u) == 0)
            return true;
    }
    return false;
}

} // namespace

ChmFile::ChmFile(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {
    if (!parse())
        entries_.clear();
}

bool ChmFile::parse() {
    const auto& b = bytes_;
    if (b.size() < 0x60 || std::memcmp(b.data(), "ITSF", 4) != 0) {
        error_ = "no ITSF signature";
        return false;
    }
    version_ = static_cast<std::uint32_t>(le(b, 4, 4));
    lcid_ = static_cast<std::uint32_t>(le(b, 0x14, 4));
    const std::uint64_t dirOffset = le(b, 0x48, 8);
    const std::uint64_t dirLength = le(b, 0x50, 8);
    content0_ = version_ >= 3 ? le(b, 0x58, 8) : dirOffset + dirLength;
    if (dirOffset + dirLength > b.size() || dirLength < 0x54 || std::memcmp(&b[dirOffset], "ITSP", 4) != 0) {
        error_ = "no ITSP directory header";
        return false;
    }
    const std::uint64_t headerLen = le(b, dirOffset + 8, 4);
    const std::uint64_t chunkSize = le(b, dirOffset + 0x10, 4);
    const std::uint64_t chunks = le(b, dirOffset + 0x2C, 4);
    const std::uint64_t first = dirOffset + headerLen;
    if (chunkSize < 0x14 || first + chunks * chunkSize > dirOffset + dirLength) {
        error_ = "directory chunks do not fit";
        return false;
    }
    for (std::uint64_t c = 0; c < chunks; ++c) {
        const std::uint64_t base = first + c * chunkSize;
        if (std::memcmp(&b[base], "PMGL", 4) != 0)
            continue; // index chunks (PMGI) repeat names only
        const std::uint64_t freeSpace = le(b, base + 4, 4);
        if (freeSpace > chunkSize - 0x14) {
            error_ = "bad free-space field in a listing chunk";
            return false;
        }
        const std::uint64_t end = base + chunkSize - freeSpace;
        std::uint64_t at = base + 0x14;
        while (at < end) {
            std::uint64_t nameLen = 0;
            if (!encint(b, at, end, nameLen) || at + nameLen > end) {
                error_ = "bad name in a listing chunk";
                return false;
            }
            std::string name(reinterpret_cast<const char*>(&b[at]), nameLen);
            at += nameLen;
            ChmEntry e;
            if (!encint(b, at, end, e.section) || !encint(b, at, end, e.offset) ||
                !encint(b, at, end, e.length)) {
                error_ = "bad entry in a listing chunk";
                return false;
            }
            entries_[name] = e;
        }
    }
    if (entries_.empty())
        error_ = "empty directory";
    return !entries_.empty();
}

std::optional<std::vector<unsigned char>> ChmFile::readUncompressed(const std::string& name) const {
    const auto it = entries_.find(name);
    if (it == entries_.end() || it->second.section != 0)
        return std::nullopt;
    const std::uint64_t at = content0_ + it->second.offset;
    if (at + it->second.length > bytes_.size())
        return std::nullopt;
    return std::vector<unsigned char>(bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                                      bytes_.begin() + static_cast<std::ptrdiff_t>(at + it->second.length));
}

std::map<std::uint16_t, std::vector<unsigned char>> parseSystem(const std::vector<unsigned char>& d) {
    std::map<std::uint16_t, std::vector<unsigned char>> records;
    std::uint64_t at = 4;
    while (at + 4 <= d.size()) {
        const auto code = static_cast<std::uint16_t>(le(d, at, 2));
        const std::uint64_t len = le(d, at + 2, 2);
        at += 4;
        if (at + len > d.size())
            break;
        records[code].assign(d.begin() + static_cast<std::ptrdiff_t>(at),
                             d.begin() + static_cast<std::ptrdiff_t>(at + len));
        at += len;
    }
    return records;
}

} // namespace lurhelp_test
