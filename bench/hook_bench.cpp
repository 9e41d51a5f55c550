// The key handler's cost per keystroke as the keyboard hook calls it: the key's press and its release,
// each with the keyboard's state, the composition core, and the strokes to send for every edit that is
// not passed on. Over every entry of the Vietnamese word list, typed in Telex and VNI with the tone key
// last and a space after each word, in each code table, with the spelling check on.
//
//   hook_bench [--words FILE] total METHOD TABLE
//   hook_bench [--words FILE] each METHOD TABLE
//
// For bench/hook_callgrind.sh, which runs them under callgrind: "total" counts one pass over the list
// after a pass that warms up, "each" dumps the count after every key (press and release) so the script
// can find the worst one. A capital is typed with left Shift held in the state the handler is given;
// Shift's own press and release are not counted. What the hook does around the handler (sampling the
// keyboard, SendInput) is the system's and is not counted.
#include "lurcore/core/correction.h"
#include "lurcore/core/key_handler.h"
#include "lurcore/core/virtual_keys.h"
#include "bench_words.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using namespace lurcore::core;
using bench::kTables;
using bench::readWords;
using bench::tableName;

namespace {

struct Key {
    std::uint16_t virtualKey;
    bool shift;
    std::size_t wordStart; // where the word this key belongs to starts in the text typed
};

// The virtual key a US keyboard gives a character with, or 0 for one it has no key for (skipped).
std::uint16_t virtualKeyOf(char16_t c) {
    if (c >= u'a' && c <= u'z') {
        return static_cast<std::uint16_t>(vk::kA + (c - u'a'));
    }
    if (c >= u'A' && c <= u'Z') {
        return static_cast<std::uint16_t>(vk::kA + (c - u'A'));
    }
    if (c >= u'0' && c <= u'9') {
        return static_cast<std::uint16_t>(vk::kDigit0 + (c - u'0'));
    }
    if (c == u' ') {
        return vk::kSpace;
    }
    return c == u'-' ? 0xBD : c == u'.' ? 0xBE : 0;
}

std::vector<Key> keysOf(const std::vector<std::u16string>& words, InputMethod method, std::u16string& typed) {
    const test::KeyScript script;
    std::vector<Key> keys;
    for (const std::u16string& word : words) {
        const std::size_t start = typed.size();
        for (char16_t c : script.keysFor(word, method, test::TonePlace::AtEnd) + u' ') {
            if (const std::uint16_t virtualKey = virtualKeyOf(c); virtualKey != 0) {
                keys.push_back({virtualKey, c >= u'A' && c <= u'Z', start});
                typed += c;
            }
        }
    }
    return keys;
}

// What the hook does for one key: the press, the strokes of its edit, the release, and theirs.
std::size_t pressAndRelease(KeyHandler& handler, const Key& key) {
    KeyState state;
    state.held = key.shift ? KeyState::kLeftShift : 0;
    std::size_t sent = 0;
    const Edit down = handler.keyDown(key.virtualKey, state);
    sent += down.pass ? 1 : strokesFor(down, Correction::Backspaces).size() + down.expansion.size();
    const Edit up = handler.keyUp(key.virtualKey, state);
    sent += up.pass ? 1 : strokesFor(up, Correction::Backspaces).size();
    return sent;
}

std::size_t typeAll(KeyHandler& handler, const std::vector<Key>& keys) {
    std::size_t sent = 0;
    for (const Key& key : keys) {
        sent += pressAndRelease(handler, key);
    }
    return sent;
}

int countTotal(KeyHandler& handler, const std::vector<Key>& keys) {
    std::size_t sent = typeAll(handler, keys);
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    sent += typeAll(handler, keys);
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT("counted pass");
    std::printf("keys %zu (%zu strokes out)\n", keys.size(), sent);
    return 0;
}

int countEach(KeyHandler& handler, const std::vector<Key>& keys, const std::u16string& typed) {
    std::size_t sent = typeAll(handler, keys);
    for (std::size_t at = 0; at < keys.size(); ++at) {
        CALLGRIND_ZERO_STATS;
        CALLGRIND_TOGGLE_COLLECT;
        sent += pressAndRelease(handler, keys[at]);
        CALLGRIND_TOGGLE_COLLECT;
        const std::string word =
            test::toUtf8(std::u16string_view(typed).substr(keys[at].wordStart, at + 1 - keys[at].wordStart));
        char name[96];
        std::snprintf(name, sizeof name, "key %zu %s", at, word.c_str());
        CALLGRIND_DUMP_STATS_AT(name);
    }
    std::printf("keys %zu (%zu strokes out)\n", keys.size(), sent);
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: hook_bench [--words FILE] total|each telex|vni unicode|tcvn3|vniwin\n");
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
    if (argc < next + 3) {
        return usage();
    }
    const std::string mode = argv[next];
    const std::string method = argv[next + 1];
    const CodeTable* table = nullptr;
    for (const CodeTable& candidate : kTables) {
        if (std::strcmp(argv[next + 2], tableName(candidate)) == 0) {
            table = &candidate;
        }
    }
    if ((mode != "total" && mode != "each") || (method != "telex" && method != "vni") || table == nullptr) {
        return usage();
    }
    const std::vector<std::u16string> words = readWords(path);
    if (words.empty()) {
        std::fprintf(stderr, "no words read from %s\n", path);
        return 1;
    }
    const InputMethod inputMethod = method == "telex" ? InputMethod::Telex : InputMethod::Vni;
    std::u16string typed;
    const std::vector<Key> keys = keysOf(words, inputMethod, typed);
    KeyHandler handler([] { return WordSettings{true, SwitchKey::AltZ}; });
    handler.setInputMethod(inputMethod);
    handler.setCodeTable(*table);
    return mode == "total" ? countTotal(handler, keys) : countEach(handler, keys, typed);
}
