// The file on disk: made once with the defaults, never written over, an unreadable file gives the
// defaults and says so, and the log keeps only its last lines.
#include "lurcore/config/user_config_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace lurcore::config {
namespace {

class MemoryFolder final : public ConfigFiles {
public:
    Status read(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) override {
        if (unreadable.contains(path)) {
            return Status::Unreadable;
        }
        const auto found = files.find(path);
        if (found == files.end()) {
            return Status::Missing;
        }
        bytes.assign(found->second.begin(), found->second.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                        found->second.size(), maxBytes + 1)));
        return Status::Read;
    }
    bool createNew(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        ++writes;
        if (files.contains(path) || unreadable.contains(path) || readOnly) {
            return false;
        }
        files[path] = std::string(bytes.begin(), bytes.end());
        return true;
    }
    bool replace(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        if (path.ends_with(".ini")) {
            ++writes;
        }
        if (readOnly) {
            return false;
        }
        files[path] = std::string(bytes.begin(), bytes.end());
        return true;
    }

    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;
    bool readOnly = false;
    int writes = 0; // to the ini file
};

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(UserConfigFile, AMissingFileIsMadeWithTheDefaultsOnce) {
    MemoryFolder folder;
    UserConfigFile file(folder, "C:\\Users\\An\\AppData\\Roaming\\Lurio 2008",
                        [] { return "2024-06-13 10:00:00"; });
    EXPECT_EQ(file.path(), "C:\\Users\\An\\AppData\\Roaming\\Lurio 2008\\lurio.ini");
    const ReadResult first = file.load();
    EXPECT_TRUE(first.problems.empty());
    EXPECT_EQ(folder.files.at(file.path()), defaultUserConfigText());
    EXPECT_EQ(folder.files.at(file.logPath()), "2024-06-13 10:00:00 lurio.ini: read, no problems\r\n");

    folder.files[file.path()] = "[typing]\ntone_style = modern\nquick_telex = of\n";
    const int writesBefore = folder.writes;
    const ReadResult second = file.load();
    EXPECT_EQ(folder.writes, writesBefore) << "the user's file is never written";
    EXPECT_EQ(folder.files.at(file.path()), "[typing]\ntone_style = modern\nquick_telex = of\n");
    EXPECT_EQ(second.config.toneStyle, core::ToneStyle::Modern);
    EXPECT_EQ(
        folder.files.at(file.logPath()),
        "2024-06-13 10:00:00 lurio.ini: read, no problems\r\n"
        "2024-06-13 10:00:00 lurio.ini line 3: quick_telex is \"of\"; it must be on or off. off is used\r\n");
}

TEST(UserConfigFile, AFileThatCannotBeReadGivesTheDefaultsAndIsLeftAlone) {
    MemoryFolder folder;
    UserConfigFile file(folder, "D:\\cfg", [] { return "t"; });
    folder.unreadable.insert(file.path());
    const ReadResult result = file.load();
    EXPECT_EQ(folder.writes, 0) << "a file that is there is not made again";
    EXPECT_FALSE(folder.files.contains(file.path()));
    EXPECT_EQ(result.config.toneStyle, core::ToneStyle::Classic);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_NE(folder.files.at(file.logPath()).find("t lurio.ini: the file cannot be opened"),
              std::string::npos);

    // A folder where nothing can be written: defaults, and no crash.
    MemoryFolder readOnly;
    readOnly.readOnly = true;
    UserConfigFile nowhere(readOnly, "E:", [] { return "t"; });
    const ReadResult missing = nowhere.load();
    ASSERT_EQ(missing.problems.size(), 1u);
    EXPECT_NE(missing.problems[0].text.find("could not be made"), std::string::npos);
    EXPECT_FALSE(missing.config.perAppMode);
}

TEST(UserConfigFile, AReloadHappensOnlyWhenTheFileChanged) {
    MemoryFolder folder;
    UserConfigFile file(folder, "C:", [] { return "t"; });
    ASSERT_TRUE(file.reloadIfChanged().has_value()) << "the first read always counts";
    EXPECT_FALSE(file.reloadIfChanged().has_value()) << "the log beside it changed, not the file";
    folder.files[file.path()] = "[typing]\nquick_telex = on\n";
    const auto changed = file.reloadIfChanged();
    ASSERT_TRUE(changed.has_value());
    EXPECT_TRUE(changed->config.quickTelex);
    EXPECT_FALSE(file.reloadIfChanged().has_value());
    folder.unreadable.insert(file.path());
    const auto held = file.reloadIfChanged();
    ASSERT_TRUE(held.has_value());
    EXPECT_FALSE(held->config.quickTelex) << "defaults while it cannot be read";
    folder.unreadable.clear();
    ASSERT_TRUE(file.reloadIfChanged().has_value());
    folder.files.erase(file.path());
    ASSERT_TRUE(file.reloadIfChanged().has_value()) << "a deleted file is made again with the defaults";
    EXPECT_EQ(folder.files.at(file.path()), defaultUserConfigText());
    EXPECT_EQ(lineCount(folder.files.at(file.logPath())), 5) << "one line for each read that counted";
}

TEST(UserConfigFile, TheLogKeepsItsLastHundredLines) {
    MemoryFolder folder;
    int reads = 0;
    UserConfigFile file(folder, "C:", [&] { return "read" + std::to_string(reads); });
    folder.files[file.path()] = "[typing]\nbad one\nbad two\nbad three\n";
    for (reads = 1; reads <= 60; ++reads) {
        file.load();
    }
    const std::string log = folder.files.at(file.logPath());
    EXPECT_EQ(lineCount(log), kLogLines);
    EXPECT_NE(log.find("read60 lurio.ini line 4: "), std::string::npos);
    EXPECT_EQ(log.find("read26 "), std::string::npos) << "the oldest lines go first";
    EXPECT_TRUE(log.starts_with("read27 lurio.ini line 4")) << log.substr(0, 200);

    EXPECT_EQ(appendToLog("a\r\nb\r\n", {"c"}, 2), "b\r\nc\r\n");
    EXPECT_EQ(appendToLog("a\nb", {}, 5), "a\r\nb\r\n");
    EXPECT_EQ(appendToLog("", {"x", "y", "z"}, 2), "y\r\nz\r\n");

    // A log someone filled with something else is started afresh.
    folder.files[file.logPath()] = std::string(kMaxLogBytes + 100, 'x');
    file.load();
    EXPECT_EQ(lineCount(folder.files.at(file.logPath())), 3);
}

} // namespace
} // namespace lurcore::config
