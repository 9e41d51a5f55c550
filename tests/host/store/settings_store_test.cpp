// The settings file at the engine's first use and at each store: missing, damaged, and above all
// present but unreadable (held by another program, an I/O error), which must never cost the user the
// settings stored in it.
#include "lurcore/store/settings_file.h"
#include "lurcore/store/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>

using Bytes = std::vector<std::uint8_t>;
using lurcore::FileRead;

namespace {

const std::string kPath = "C:\\Users\\Nguy\xE1\xBB\x85n\\AppData\\Roaming\\Lurio 2008\\lurcore.cfg";
constexpr TSharedSettings kStored{1, 0, 0, 1, 0, 9, 2, 1, 1, 1};

bool same(const TSharedSettings& a, const TSharedSettings& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::uint8_t& byteOf(TSharedSettings& s, std::size_t i) {
    return reinterpret_cast<std::uint8_t*>(&s)[i];
}

// Files in memory. While `unreadable` is set, or for the next `unreadableReads` reads, the file cannot
// be read but can still be written, so a store that writes when it must not is seen.
class MemoryFiles : public lurcore::FileOps {
public:
    std::map<std::string, Bytes> files;
    bool unreadable = false;
    int unreadableReads = 0;
    bool failWrites = false;
    int reads = 0;

    bool writeDurably(const std::string& path, const Bytes& bytes) override {
        if (failWrites) {
            return false;
        }
        files[path] = bytes;
        return true;
    }
    bool replace(const std::string& from, const std::string& to) override {
        auto it = files.find(from);
        if (it == files.end()) {
            return false;
        }
        files[to] = it->second;
        files.erase(from);
        return true;
    }
    void remove(const std::string& path) override { files.erase(path); }
    FileRead read(const std::string& path, std::size_t maxBytes) override {
        ++reads;
        if (unreadable || unreadableReads > 0) {
            unreadableReads = unreadableReads > 0 ? unreadableReads - 1 : 0;
            return {FileRead::Status::Unreadable, {}};
        }
        auto it = files.find(path);
        if (it == files.end()) {
            return {FileRead::Status::Missing, {}};
        }
        Bytes bytes = it->second;
        bytes.resize(std::min(bytes.size(), maxBytes + 1));
        return {FileRead::Status::Read, bytes};
    }
    std::optional<Bytes> file() const {
        auto it = files.find(kPath);
        return it == files.end() ? std::nullopt : std::optional<Bytes>(it->second);
    }
    TSharedSettings settings() const { return lurcore::settingsOrDefaults(file()); }
};

struct SettingsStoreTest : testing::Test {
    MemoryFiles files;
    std::vector<int> pauses;
    lurcore::SettingsStore store{files, kPath, [this](int ms) { pauses.push_back(ms); }};
};

} // namespace

TEST_F(SettingsStoreTest, MissingFileMeansDefaultsAndIsWrittenAtTheFirstStore) {
    store.load();
    EXPECT_TRUE(same(store.block(), lurcore::kDefaultSettings));
    EXPECT_FALSE(store.holdingBack());
    EXPECT_TRUE(pauses.empty()) << "a missing file is not waited for";
    store.block().CodeTable = 2;
    EXPECT_TRUE(store.store());
    TSharedSettings expected = lurcore::kDefaultSettings;
    expected.CodeTable = 2;
    EXPECT_TRUE(same(files.settings(), expected));
}

TEST_F(SettingsStoreTest, FileHeldBrieflyIsReadOnARetry) {
    files.files[kPath] = lurcore::encodeSettings(kStored);
    files.unreadableReads = 3;
    store.load();
    EXPECT_TRUE(same(store.block(), kStored));
    EXPECT_FALSE(store.holdingBack());
    EXPECT_EQ(pauses, (std::vector<int>{100, 100, 100}));
}

TEST_F(SettingsStoreTest, FileThatStaysUnreadableIsNeverWrittenOver) {
    // Every byte but the first two differs from the defaults, so a default put in its place shows.
    const TSharedSettings stored{0, 1, 0, 0, 0, 9, 2, 1, 1, 1};
    files.files[kPath] = lurcore::encodeSettings(stored);
    const Bytes before = *files.file();
    files.unreadable = true;
    store.load();
    EXPECT_EQ(files.reads, lurcore::kLoadRetry.attempts) << "retried for a while, then given up";
    EXPECT_TRUE(same(store.block(), lurcore::kDefaultSettings)) << "typing works meanwhile";
    EXPECT_TRUE(store.holdingBack());

    // The user picks TCVN3 while the file is still held: nothing is written.
    store.block().CodeTable = 1;
    EXPECT_FALSE(store.store());
    EXPECT_EQ(*files.file(), before);
    EXPECT_EQ(files.files.count(kPath + ".tmp"), 0u);

    // Released: the next store keeps every stored byte except the ones the user changed.
    files.unreadable = false;
    store.block().ToneAfterVowel = 1;
    EXPECT_TRUE(store.store());
    TSharedSettings expected = stored;
    expected.CodeTable = 1;
    expected.ToneAfterVowel = 1;
    EXPECT_TRUE(same(files.settings(), expected));
    EXPECT_FALSE(store.holdingBack());

    // Later stores of the whole view (the program copies all its controls each time) keep them too.
    store.block().UseVni = 1;
    store.block().UseTelex = 0;
    EXPECT_TRUE(store.store());
    expected.UseVni = 1;
    expected.UseTelex = 0;
    EXPECT_TRUE(same(files.settings(), expected));
}

TEST_F(SettingsStoreTest, AChangeMadeAndUndoneWhileHeldIsStillTheUsersChoice) {
    files.files[kPath] = lurcore::encodeSettings(kStored);
    files.unreadable = true;
    store.load();
    store.block().CodeTable = 1;
    EXPECT_FALSE(store.store());
    store.block().CodeTable = lurcore::kDefaultSettings.CodeTable;
    files.unreadable = false;
    EXPECT_TRUE(store.store());
    EXPECT_EQ(files.settings().CodeTable, lurcore::kDefaultSettings.CodeTable);
    EXPECT_EQ(files.settings().SwitchKey, kStored.SwitchKey);
}

TEST_F(SettingsStoreTest, DamagedFileSeenAfterAnUnreadableStartIsReplaced) {
    files.files[kPath] = Bytes{'L', 'U', 'R'};
    files.unreadable = true;
    store.load();
    files.unreadable = false;
    store.block().CodeTable = 2;
    EXPECT_TRUE(store.store());
    TSharedSettings expected = lurcore::kDefaultSettings;
    expected.CodeTable = 2;
    EXPECT_TRUE(same(files.settings(), expected));
}

TEST(SettingsStoreNowhere, WithoutAFolderNothingIsReadOrWritten) {
    MemoryFiles files;
    lurcore::SettingsStore store(files, "", [](int) {});
    store.load();
    EXPECT_TRUE(same(store.block(), lurcore::kDefaultSettings));
    EXPECT_FALSE(store.store());
    EXPECT_EQ(files.reads, 0);
    EXPECT_TRUE(files.files.empty());
}

// Random runs against a small model: the file starts missing, damaged or valid, may be unreadable for a
// few reads or for long stretches, writes may fail; the program changes bytes and stores. Checked after
// every store: nothing is written while the file cannot be read, the file is never left damaged by
// us, every byte the program never changed keeps the value the user had stored, and after a store that
// reports success every byte it changed is stored. A new start then reads what was stored.
TEST(SettingsStoreModel, RandomRunsNeverLoseStoredBytes) {
    std::mt19937 random(20240611);
    const int runs = std::getenv("LUR_LONG_RUN") != nullptr ? 200000 : 3000;
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        MemoryFiles files;
        TSharedSettings stored = lurcore::kDefaultSettings; // what the user has stored, as settings
        switch (random() % 3) {
        case 0:
            break; // missing
        case 1:
            files.files[kPath] = Bytes{'L', 'U', 'R', 'S', 1, 2};
            break; // damaged: reads as the defaults
        default:
            for (std::size_t i = 0; i < sizeof stored; ++i) {
                byteOf(stored, i) = static_cast<std::uint8_t>(random() % 4);
            }
            files.files[kPath] = lurcore::encodeSettings(stored);
        }
        const std::optional<Bytes> original = files.file();
        const int heldReads = static_cast<int>(random() % 14); // 10 or more: longer than the retries
        files.unreadableReads = heldReads;
        lurcore::SettingsStore store(files, kPath, [](int) {});
        store.load();
        const bool heldAtStart = heldReads >= lurcore::kLoadRetry.attempts;
        ASSERT_EQ(store.holdingBack(), heldAtStart);
        ASSERT_TRUE(same(store.block(), heldAtStart ? lurcore::kDefaultSettings : stored));
        TSharedSettings shownCopy = store.block();
        std::array<bool, sizeof(TSharedSettings)> changed{};

        for (int step = 0; step < 30; ++step) {
            switch (random() % 6) {
            case 0:
            case 1: {
                const std::size_t i = random() % sizeof stored;
                if (i != 5) { // the program never writes the reserved byte
                    byteOf(store.block(), i) = static_cast<std::uint8_t>(random() % 4);
                }
                break;
            }
            case 2:
                files.unreadable = random() % 3 == 0;
                break;
            case 3:
                files.failWrites = random() % 4 == 0;
                break;
            default: {
                for (std::size_t i = 0; i < changed.size(); ++i) {
                    changed[i] = changed[i] || byteOf(store.block(), i) != byteOf(shownCopy, i);
                }
                const bool wasHolding = store.holdingBack();
                const bool cannotRead =
                    files.unreadable || files.unreadableReads >= lurcore::kStoreRetry.attempts;
                const std::optional<Bytes> before = files.file();
                const bool failWrites = files.failWrites;
                const bool wrote = store.store();
                if (wasHolding && cannotRead) {
                    ASSERT_FALSE(wrote);
                    ASSERT_EQ(files.file(), before) << "written while unreadable";
                }
                ASSERT_EQ(wrote, !failWrites && !(wasHolding && cannotRead));
                if (!wrote) {
                    ASSERT_EQ(files.file(), before);
                    break;
                }
                const auto now = lurcore::decodeSettings(*files.file());
                ASSERT_TRUE(now.has_value()) << "a store left a damaged file";
                TSharedSettings inFile = *now;
                for (std::size_t i = 0; i < changed.size(); ++i) {
                    if (changed[i]) {
                        ASSERT_EQ(byteOf(inFile, i), byteOf(store.block(), i)) << "changed byte " << i;
                    } else {
                        ASSERT_EQ(byteOf(inFile, i), byteOf(stored, i)) << "untouched byte " << i << " lost";
                    }
                }
            }
            }
        }
        if (!files.file().has_value() || files.file() == original) {
            continue;
        }
        files.unreadable = false;
        files.unreadableReads = 0;
        lurcore::SettingsStore next(files, kPath, [](int) {});
        next.load();
        ASSERT_TRUE(same(next.block(), *lurcore::decodeSettings(*files.file())));
    }
}
