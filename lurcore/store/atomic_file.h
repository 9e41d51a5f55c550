// Replacing a small file so that a reader sees either the old content or the new, never a mix.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lurcore {

// What reading a file gave. A file that is there but cannot be opened or read (held open without
// sharing, an I/O error, no access) is not the same as a missing one: its content is unknown.
struct FileRead {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    // The content when Read; at most maxBytes + 1 bytes, so that an oversize file shows as such.
    std::vector<std::uint8_t> bytes;
};

// The few file operations the store needs; the DLL uses Win32, tests use fakes or POSIX. Paths are
// UTF-8.
class FileOps {
public:
    virtual ~FileOps() = default;
    // Creates or truncates the file, writes every byte and flushes it to the disk.
    virtual bool writeDurably(const std::string& path, const std::vector<std::uint8_t>& bytes) = 0;
    // Puts `from` in the place of `to` in one step, replacing `to` if it exists.
    virtual bool replace(const std::string& from, const std::string& to) = 0;
    virtual void remove(const std::string& path) = 0;
    virtual FileRead read(const std::string& path, std::size_t maxBytes) = 0;
};

// Writes a temporary file beside `path`, then replaces `path` with it. On any failure the old file is
// left as it was and the temporary file is removed.
bool saveAtomically(FileOps& ops, const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace lurcore
