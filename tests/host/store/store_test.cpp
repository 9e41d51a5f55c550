// The engine's stored settings: the file format, damaged files, and replacing the file safely.
#include "lurcore/store/atomic_file.h"
#include "lurcore/store/run_command.h"
#include "lurcore/store/settings_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr TSharedSettings kStored{1, 0, 0, 1, 0, 9, 2, 1, 1, 1};

bool same(const TSharedSettings& a, const TSharedSettings& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Real files in a scratch folder; a write can be made to fail after some bytes, as a full disk would.
class PosixFileOps : public lurcore::FileOps {
public:
    long failAfterBytes = -1;
    bool failReplace = false;

    bool writeDurably(const std::string& path, const Bytes& bytes) override {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const std::size_t count =
            failAfterBytes < 0 ? bytes.size() : static_cast<std::size_t>(failAfterBytes);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(count));
        out.flush();
        return out.good() && count == bytes.size();
    }
    bool replace(const std::string& from, const std::string& to) override {
        return !failReplace && std::rename(from.c_str(), to.c_str()) == 0;
    }
    void remove(const std::string& path) override { std::remove(path.c_str()); }
    lurcore::FileRead read(const std::string& path, std::size_t maxBytes) override {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return {lurcore::FileRead::Status::Missing, {}};
        }
        Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.size() > maxBytes + 1) {
            bytes.resize(maxBytes + 1);
        }
        return {lurcore::FileRead::Status::Read, bytes};
    }
};

struct Store : testing::Test {
    fs::path dir = fs::temp_directory_path() /
                   ("lurstore-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string file = (dir / "lurcore.cfg").string();
    PosixFileOps ops;

    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    TSharedSettings load() { return lurcore::settingsOrDefaults(ops.read(file, 4096).bytes); }
};

} // namespace

TEST(SettingsFile, RoundTripsEveryByte) {
    const Bytes encoded = lurcore::encodeSettings(kStored);
    EXPECT_EQ(encoded.size(), lurcore::kSettingsFileSize);
    const auto decoded = lurcore::decodeSettings(encoded);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(same(*decoded, kStored));
}

TEST(SettingsFile, DefaultsBeforeAnyStore) {
    const TSharedSettings d = lurcore::settingsOrDefaults(std::nullopt);
    const std::uint8_t expected[10] = {0, 1, 1, 0, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&d, expected, 10), 0);
}

TEST(SettingsFile, EveryKindOfDamageReadsAsDefaults) {
    const Bytes good = lurcore::encodeSettings(kStored);
    std::vector<std::pair<std::string, Bytes>> damaged;
    damaged.push_back({"empty", {}});
    damaged.push_back({"short", Bytes(good.begin(), good.end() - 1)});
    Bytes longer = good;
    longer.push_back(0);
    damaged.push_back({"oversize", longer});
    for (std::size_t i = 0; i < good.size(); ++i) {
        Bytes flipped = good;
        flipped[i] ^= 0x10;
        damaged.push_back({"bit flipped in byte " + std::to_string(i), flipped});
    }
    Bytes newer = good;
    newer[4] = 2;
    damaged.push_back({"unknown version", newer});
    for (const auto& [name, bytes] : damaged) {
        EXPECT_TRUE(same(lurcore::settingsOrDefaults(bytes), lurcore::kDefaultSettings)) << name;
    }
}

TEST(SettingsFile, Crc32OfAKnownText) {
    const std::string text = "123456789";
    EXPECT_EQ(lurcore::crc32({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}), 0xCBF43926u);
}

TEST_F(Store, SaveThenLoad) {
    EXPECT_TRUE(lurcore::saveAtomically(ops, file, lurcore::encodeSettings(kStored)));
    EXPECT_TRUE(same(load(), kStored));
    EXPECT_FALSE(fs::exists(file + ".tmp"));
}

TEST_F(Store, WriteFailingHalfWayLeavesTheOldFileWhole) {
    ASSERT_TRUE(lurcore::saveAtomically(ops, file, lurcore::encodeSettings(kStored)));
    TSharedSettings changed = kStored;
    changed.CodeTable = 0;
    ops.failAfterBytes = 7;
    EXPECT_FALSE(lurcore::saveAtomically(ops, file, lurcore::encodeSettings(changed)));
    EXPECT_TRUE(same(load(), kStored));
    EXPECT_FALSE(fs::exists(file + ".tmp")) << "no half-written file is left behind";
}

TEST_F(Store, FailedReplaceLeavesTheOldFileWhole) {
    ASSERT_TRUE(lurcore::saveAtomically(ops, file, lurcore::encodeSettings(kStored)));
    ops.failReplace = true;
    EXPECT_FALSE(lurcore::saveAtomically(ops, file, lurcore::encodeSettings(lurcore::kDefaultSettings)));
    EXPECT_TRUE(same(load(), kStored));
}

TEST_F(Store, MissingFileReadsAsDefaults) {
    EXPECT_TRUE(same(load(), lurcore::kDefaultSettings));
}

TEST(RunCommand, QuotesThePathOnce) {
    EXPECT_EQ(lurcore::runCommandFor("C:\\Program Files\\Lurio 2008\\Lurb.exe"),
              "\"C:\\Program Files\\Lurio 2008\\Lurb.exe\"");
    EXPECT_EQ(lurcore::runCommandFor("\"C:\\x\\Lurb.exe\""), "\"C:\\x\\Lurb.exe\"");
    EXPECT_EQ(lurcore::runCommandFor(""), "");
    EXPECT_EQ(lurcore::runCommandFor("C:\\a\" evil.exe"), "") << "a quote inside could end the path early";
}
