#include "lurcore/config/user_config_file.h"

namespace lurcore::config {

std::string appendToLog(std::string_view log, const std::vector<std::string>& lines, int keep) {
    std::vector<std::string_view> all;
    while (!log.empty()) {
        const std::size_t end = log.find('\n');
        std::string_view line = log.substr(0, end);
        log.remove_prefix(end == std::string_view::npos ? log.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        all.push_back(line);
    }
    for (const std::string& line : lines) {
        all.push_back(line);
    }
    const std::size_t from = all.size() > static_cast<std::size_t>(keep) ? all.size() - keep : 0;
    std::string out;
    for (std::size_t at = from; at < all.size(); ++at) {
        out += all[at];
        out += "\r\n";
    }
    return out;
}

UserConfigFile::UserConfigFile(ConfigFiles& files, std::string folder, std::function<std::string()> stamp)
    : files_(files), iniPath_(folder + "\\lurio.ini"), logPath_(folder + "\\lurio.log"),
      stamp_(std::move(stamp)) {}

ConfigFiles::Status UserConfigFile::readFile(std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    ConfigFiles::Status status = files_.read(iniPath_, kMaxFileBytes, bytes);
    if (status == ConfigFiles::Status::Missing) {
        const std::string text = defaultUserConfigText();
        files_.createNew(iniPath_, std::vector<std::uint8_t>(text.begin(), text.end()));
        bytes.clear();
        status = files_.read(iniPath_, kMaxFileBytes, bytes);
    }
    return status;
}

ReadResult UserConfigFile::load() {
    std::vector<std::uint8_t> bytes;
    const ConfigFiles::Status status = readFile(bytes);
    return use(status, bytes);
}

std::optional<ReadResult> UserConfigFile::reloadIfChanged() {
    std::vector<std::uint8_t> bytes;
    const ConfigFiles::Status status = readFile(bytes);
    if (readOnce_ && status == lastStatus_ && bytes == lastBytes_) {
        return std::nullopt;
    }
    return use(status, bytes);
}

ReadResult UserConfigFile::use(ConfigFiles::Status status, const std::vector<std::uint8_t>& bytes) {
    readOnce_ = true;
    lastStatus_ = status;
    lastBytes_ = bytes;
    ReadResult result;
    if (status == ConfigFiles::Status::Read) {
        result = readUserConfig(bytes);
    } else if (status == ConfigFiles::Status::Unreadable) {
        result.problems.push_back({0, "the file cannot be opened (held by another program, or no access); "
                                      "the defaults are used until it can be read"});
    } else {
        result.problems.push_back({0, "the file is missing and could not be made; the defaults are used"});
    }

    std::vector<std::string> lines;
    const std::string head = stamp_() + " lurio.ini";
    if (result.problems.empty()) {
        lines.push_back(head + ": read, no problems");
    }
    for (const Problem& problem : result.problems) {
        lines.push_back(head + (problem.line > 0 ? " line " + std::to_string(problem.line) : std::string()) +
                        ": " + problem.text);
    }
    if (result.moreProblems > 0) {
        lines.push_back(head + ": and " + std::to_string(result.moreProblems) + " more problems like these");
    }
    log(lines);
    return result;
}

void UserConfigFile::log(const std::vector<std::string>& lines) {
    std::vector<std::uint8_t> old;
    if (files_.read(logPath_, kMaxLogBytes, old) != ConfigFiles::Status::Read) {
        old.clear();
    }
    std::string_view oldText(reinterpret_cast<const char*>(old.data()), old.size());
    if (old.size() > kMaxLogBytes) {
        oldText = {}; // not a log of ours: start afresh rather than keep a part of a line
    }
    const std::string text = appendToLog(oldText, lines);
    files_.replace(logPath_, std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace lurcore::config
