// Minimal reader for the container of a compiled help file: enough to list its files and to
// read the ones stored uncompressed (such as #SYSTEM). Test-only code.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lurhelp_test {

struct ChmEntry {
    std::uint64_t section = 0;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

class ChmFile {
public:
    // Parses the headers and the directory; on failure error() says why and entries() is empty.
    explicit ChmFile(std::vector<unsigned char> bytes);

    const std::string& error() const { return error_; }
    std::uint32_t version() const { return version_; }
    std::uint32_t lcid() const { return lcid_; }
    const std::map<std::string, ChmEntry>& entries() const { return entries_; }

    // Contents of a file stored in section 0; nullopt when absent or compressed.
    std::optional<std::vector<unsigned char>> readUncompressed(const std::string& name) const;

private:
    bool parse();
    std::vector<unsigned char> bytes_;
    std::string error_;
    std::uint32_t version_ = 0;
    std::uint32_t lcid_ = 0;
    std::uint64_t content0_ = 0;
    std::map<std::string, ChmEntry> entries_;
};

// The #SYSTEM file: a version word, then records of (code, length, data).
std::map<std::uint16_t, std::vector<unsigned char>> parseSystem(const std::vector<unsigned char>& data);

} // namespace lurhelp_test
