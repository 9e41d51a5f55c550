#pragma once

#include "lurcore/store/atomic_file.h"

namespace lurcore {

class Win32FileOps final : public FileOps {
public:
    // Whether a file may be read while another program holds it open for writing (an editor, say).
    enum class ReadSharing { ReadersOnly, Everyone };
    explicit Win32FileOps(ReadSharing sharing = ReadSharing::ReadersOnly) : sharing_(sharing) {}

    bool writeDurably(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
    bool replace(const std::string& from, const std::string& to) override;
    void remove(const std::string& path) override;
    FileRead read(const std::string& path, std::size_t maxBytes) override;

private:
    ReadSharing sharing_;
};

} // namespace lurcore
