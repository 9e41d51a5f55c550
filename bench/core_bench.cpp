// The composition core's cost per keystroke over every entry of the Vietnamese word list, typed in Telex
// and VNI with the tone key last and a space after each word, in each code table.
//
//   core_bench [--words FILE] time [ROUNDS]    ns and allocations per keystroke, every method and table
//   core_bench [--words FILE] total METHOD TABLE
//   core_bench [--words FILE] each METHOD TABLE
//
// "total" and "each" are for bench/callgrind.sh, which runs them under callgrind: "total" counts the
// instructions of one pass over the list (after a pass that warms up), "each" dumps the count after
// every single key so the script can find the worst one. METHOD is telex or vni, TABLE unicode, tcvn3
// or vniwin.
#include "bench_words.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <string>
#include <vector>

using namespace lurcore::core;
using bench::kMethods;
using bench::kTables;
using bench::methodName;
using bench::readWords;
using bench::tableName;

namespace {

std::atomic<std::size_t> g_allocations{0};

void* allocate(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

} // namespace

// Every allocation of the program goes through here, so the benchmark counts its own.
void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

// The keys of every word, one after another, each word followed by a space.
std::u16string keysOf(const std::vector<std::u16string>& words, InputMethod method) {
    const test::KeyScript script;
    std::u16string keys;
    for (const std::u16string& word : words) {
        keys += script.keysFor(word, method, test::TonePlace::AtEnd);
        keys += u' ';
    }
    return keys;
}

// Folds the edit into a number, so that the work cannot be optimised away.
std::size_t weigh(const Edit& edit) {
    return edit.pass ? 1 : static_cast<std::size_t>(edit.backspaces) + edit.text.size();
}

std::size_t typeAll(Composer& composer, const std::u16string& keys) {
    std::size_t sent = 0;
    for (char16_t key : keys) {
        sent += weigh(composer.type(key));
    }
    return sent;
}

int timeAll(const std::vector<std::u16string>& words, int rounds) {
    std::printf("%zu words, %d rounds\n", words.size(), rounds);
    std::printf("%-6s %-8s %10s %12s %10s\n", "method", "table", "keys", "ns/key", "allocs/key");
    for (InputMethod method : kMethods) {
        const std::u16string keys = keysOf(words, method);
        for (CodeTable table : kTables) {
            Composer composer({method, table, ToneRule::Free, true});
            std::size_t sent = typeAll(composer, keys); // start-up: the first pass is not counted
            const std::size_t allocationsBefore = g_allocations.load();
            const auto start = std::chrono::steady_clock::now();
            for (int round = 0; round < rounds; ++round) {
                sent += typeAll(composer, keys);
            }
            const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
            const std::size_t allocations = g_allocations.load() - allocationsBefore;
            const double typed = static_cast<double>(keys.size()) * rounds;
            std::printf("%-6s %-8s %10zu %12.1f %10.3f   (%zu units out)\n", methodName(method),
                        tableName(table), keys.size(), elapsed.count() / typed,
                        static_cast<double>(allocations) / typed, sent);
        }
    }
    return 0;
}

// One pass to warm up, then one pass counted; prints the number of keys of the counted pass.
int countTotal(const std::u16string& keys, const Options& options) {
    Composer composer(options);
    std::size_t sent = typeAll(composer, keys);
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    sent += typeAll(composer, keys);
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT("counted pass");
    std::printf("keys %zu (%zu units out)\n", keys.size(), sent);
    return 0;
}

// Each key of the list alone, with a dump after it named by the key's place in the list.
int countEach(const std::u16string& keys, const Options& options) {
    Composer composer(options);
    std::size_t sent = typeAll(composer, keys);
    std::size_t wordStart = 0;
    for (std::size_t at = 0; at < keys.size(); ++at) {
        CALLGRIND_ZERO_STATS;
        CALLGRIND_TOGGLE_COLLECT;
        const Edit edit = composer.type(keys[at]);
        CALLGRIND_TOGGLE_COLLECT;
        sent += weigh(edit);
        const std::string word =
            test::toUtf8(std::u16string_view(keys).substr(wordStart, at + 1 - wordStart));
        char name[96];
        std::snprintf(name, sizeof name, "key %zu %s", at, word.c_str());
        CALLGRIND_DUMP_STATS_AT(name);
        if (keys[at] == u' ') {
            wordStart = at + 1;
        }
    }
    std::printf("keys %zu (%zu units out)\n", keys.size(), sent);
    return 0;
}

bool parseOptions(const char* method, const char* table, Options& options) {
    options = {};
    if (std::strcmp(method, "telex") == 0 || std::strcmp(method, "vni") == 0) {
        options.inputMethod = std::strcmp(method, "telex") == 0 ? InputMethod::Telex : InputMethod::Vni;
    } else {
        return false;
    }
    for (CodeTable candidate : kTables) {
        if (std::strcmp(table, tableName(candidate)) == 0) {
            options.codeTable = candidate;
            return true;
        }
    }
    return false;
}

int usage() {
    std::fprintf(stderr,
                 "usage: core_bench [--words FILE] time [ROUNDS] | total METHOD TABLE | each METHOD TABLE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const char* path = LUR_VI_WORD_LIST;
    int next = 1;
    if (argc > 2 && std::strcmp(argv[1], "--words") == 0) {
        path = argv[2];
        next = 3;
    }
    const std::string mode = argc > next ? argv[next] : "time";
    const std::vector<std::u16string> words = readWords(path);
    if (words.empty()) {
        std::fprintf(stderr, "no words read from %s\n", path);
        return 1;
    }
    if (mode == "time") {
        return timeAll(words, argc > next + 1 ? std::atoi(argv[next + 1]) : 20);
    }
    Options options;
    if ((mode != "total" && mode != "each") || argc < next + 3 ||
        !parseOptions(argv[next + 1], argv[next + 2], options)) {
        return usage();
    }
    const std::u16string keys = keysOf(words, options.inputMethod);
    return mode == "total" ? countTotal(keys, options) : countEach(keys, options);
}
