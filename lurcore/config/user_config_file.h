// lurio.ini beside the engine's settings: made with the defaults when missing, read whenever asked,
// never written once it exists; what could not be used goes to lurio.log, which keeps its last lines.
#pragma once

#include "lurcore/config/user_config.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lurcore::config {

// The file operations the loader needs; the engine uses Win32, tests an in-memory folder. Paths are
// UTF-8.
class ConfigFiles {
public:
    enum class Status { Read, Missing, Unreadable };
    virtual ~ConfigFiles() = default;
    // At most maxBytes + 1 bytes, so that a larger file shows as such.
    virtual Status read(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) = 0;
    // Makes the file only when nothing is there yet, never in the place of one that is.
    virtual bool createNew(const std::string& path, const std::vector<std::uint8_t>& bytes) = 0;
    // Puts the bytes in the place of the file, whole or not at all.
    virtual bool replace(const std::string& path, const std::vector<std::uint8_t>& bytes) = 0;
};

inline constexpr int kLogLines = 100;
inline constexpr std::size_t kMaxLogBytes = 64 * 1024;

// The log after adding lines at its end, with only its last `keep` lines kept.
std::string appendToLog(std::string_view log, const std::vector<std::string>& lines, int keep = kLogLines);

class UserConfigFile {
public:
    // `stamp` gives the local time to put before each read's lines.
    UserConfigFile(ConfigFiles& files, std::string folder, std::function<std::string()> stamp);

    const std::string& path() const { return iniPath_; }
    const std::string& logPath() const { return logPath_; }

    // Makes the file when it is missing, then reads it. A file that cannot be read gives the defaults
    // and a line in the log; so does every line of it that cannot be used.
    ReadResult load();
    // The same, only when the file is not what the last read found (its bytes, or whether it could be
    // read): a change in the folder that is not a change of this file gives nothing.
    std::optional<ReadResult> reloadIfChanged();

    // A line of the engine's own in the log, after the local time (what the converter's key did).
    void note(const std::string& line) { log({stamp_() + " " + line}); }

private:
    void log(const std::vector<std::string>& lines);
    ConfigFiles::Status readFile(std::vector<std::uint8_t>& bytes);
    ReadResult use(ConfigFiles::Status status, const std::vector<std::uint8_t>& bytes);

    ConfigFiles& files_;
    std::string iniPath_;
    std::string logPath_;
    std::function<std::string()> stamp_;
    bool readOnce_ = false;
    ConfigFiles::Status lastStatus_ = ConfigFiles::Status::Missing;
    std::vector<std::uint8_t> lastBytes_;
};

} // namespace lurcore::config
