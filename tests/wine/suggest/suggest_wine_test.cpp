// Corrections in fields that complete what is typed. Part one measures each way of sending a correction
// in fields of this program, with this program sending the keys as the engine would. Part two runs the
// real engine: Lurb.exe with lurcore.dll, keys typed by xdotool into the fields of suggest_target.exe,
// started once under a browser's executable name and once under its own.
#include "lurcore/core/code_table.h"
#include "lurcore/core/correction.h"
#include "lurcore/core/key_handler.h"
#include "lurcore/store/settings_file.h"
#include "lurcore/win32/sender.h"
#include "tests/wine/suggest/suggest_field.h"
#include "tests/wine/support/lurb_process.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace lurtest {
namespace {

using lurcore::core::CodeTable;
using lurcore::core::Correction;
using lurcore::core::Edit;
using lurcore::core::Stroke;
using lurcore::core::Strokes;

constexpr int kLeft = 120;
constexpr int kTop = 160;

struct Word {
    const char* telex;
    const char* vni;
    const char16_t* unicode;
};
const Word kWords[] = {
    {"dd", "d9", u"đ"},
    {"cacs", "cac1", u"các"},
    {"vieetj", "vie65t", u"việt"},
    {"dduwowngf", "d9u7o7ng2", u"đường"},
    {"tieengs vieetj", "tie61ng vie65t", u"tiếng việt"},
};

std::wstring wide(const std::u16string& text) {
    return {text.begin(), text.end()};
}
std::wstring inTable(const char16_t* unicode, CodeTable table) {
    return wide(lurcore::core::encode(unicode, table));
}

// What the composer makes of the keys: each edit, and the Unicode text shown after each key.
struct Typing {
    std::vector<std::pair<char, Edit>> edits;
    std::vector<std::u16string> shown;

    // Key presses that reach the field with this correction, the '.' after the word included.
    int presses(Correction how) const {
        int count = 1;
        for (const auto& [key, edit] : edits) {
            count += edit.pass ? 1 : strokesFor(edit, how).presses();
        }
        return count;
    }
    int corrections() const {
        int count = 0;
        for (const auto& [key, edit] : edits) {
            count += !edit.pass && edit.backspaces > 0 ? 1 : 0;
        }
        return count;
    }
};

std::uint16_t virtualKey(char key) {
    return key >= 'a' && key <= 'z' ? static_cast<std::uint16_t>('A' + (key - 'a'))
                                    : static_cast<std::uint16_t>(key);
}

// The program's settings as the tests store them: spelling check on, tones placed freely.
Typing compose(const std::string& keys, bool telex, CodeTable table) {
    lurcore::core::KeyHandler handler([] { return lurcore::core::WordSettings{}; });
    handler.setInputMethod(telex ? lurcore::core::InputMethod::Telex : lurcore::core::InputMethod::Vni);
    handler.setCodeTable(table);
    handler.setToneRule(lurcore::core::ToneRule::Free);
    lurcore::core::KeyHandler unicode([] { return lurcore::core::WordSettings{}; });
    unicode.setInputMethod(telex ? lurcore::core::InputMethod::Telex : lurcore::core::InputMethod::Vni);
    unicode.setToneRule(lurcore::core::ToneRule::Free);
    Typing typing;
    std::u16string shown;
    for (const char key : keys) {
        typing.edits.emplace_back(key, handler.keyDown(virtualKey(key), {}));
        handler.keyUp(virtualKey(key), {});
        const Edit edit = unicode.keyDown(virtualKey(key), {});
        unicode.keyUp(virtualKey(key), {});
        if (edit.pass) {
            shown.push_back(static_cast<char16_t>(key));
        } else {
            shown.erase(shown.size() - static_cast<std::size_t>(edit.backspaces));
            shown.append(edit.text.view());
        }
        typing.shown.push_back(shown);
    }
    return typing;
}

// The field's text through WM_GETTEXT, which also reaches a field of another process.
std::wstring fieldText(HWND field) {
    wchar_t buffer[512] = {};
    SendMessageW(field, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}
bool endsWithDot(HWND field) {
    const std::wstring text = fieldText(field);
    return !text.empty() && text.back() == L'.';
}
std::wstring withoutDot(std::wstring text) {
    if (!text.empty() && text.back() == L'.') {
        text.pop_back();
    }
    return text;
}

TEST(SuggestionList, HoldsAWordForEveryPrefixTheTestsShow) {
    for (const Word& word : kWords) {
        for (const bool telex : {true, false}) {
            for (const std::u16string& shown :
                 compose(telex ? word.telex : word.vni, telex, CodeTable::Unicode).shown) {
                bool found = false;
                for (const std::u16string& entry : suggestionWords()) {
                    found =
                        found || (entry.size() > shown.size() && entry.compare(0, shown.size(), shown) == 0);
                }
                EXPECT_TRUE(found) << "nothing to suggest after \"" << std::string(shown.begin(), shown.end())
                                   << "\" (code units shown as bytes)";
            }
        }
    }
}

// --- Part one: each correction measured in this program's fields ---

INPUT keyInput(WORD virtualKey, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

void addStroke(std::vector<INPUT>& inputs, const Stroke& key) {
    const DWORD extended = key.code == VK_LEFT ? KEYEVENTF_EXTENDEDKEY : 0;
    switch (key.kind) {
    case Stroke::Kind::Unit:
        inputs.push_back(keyInput(0, key.code, KEYEVENTF_UNICODE));
        inputs.push_back(keyInput(0, key.code, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
        break;
    case Stroke::Kind::Press:
        inputs.push_back(keyInput(key.code, 0, extended));
        inputs.push_back(keyInput(key.code, 0, extended | KEYEVENTF_KEYUP));
        break;
    case Stroke::Kind::Hold:
        inputs.push_back(keyInput(key.code, 0, 0));
        break;
    case Stroke::Kind::Release:
        inputs.push_back(keyInput(key.code, 0, KEYEVENTF_KEYUP));
        break;
    }
}

const char* name(Correction how) {
    return how == Correction::Backspaces    ? "Backspaces"
           : how == Correction::Placeholder ? "U+202F first"
                                            : "Shift+Left";
}
const char* name(FieldKind kind) {
    return kind == FieldKind::Plain                  ? "plain"
           : kind == FieldKind::CaretAfterSuggestion ? "caret after suggestion"
                                                     : "caret before suggestion";
}

TEST(CorrectionApproaches, MeasuredInTheTestFields) {
    const std::vector<FieldKind> kinds = {FieldKind::Plain, FieldKind::CaretAfterSuggestion,
                                          FieldKind::CaretBeforeSuggestion};
    HWND frame = createFields(kLeft, kTop, kinds, CodeTable::Unicode, false);
    ASSERT_NE(frame, nullptr);
    SetForegroundWindow(frame);
    ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == frame; }, 5000ms));

    for (const Correction how : {Correction::Backspaces, Correction::Placeholder, Correction::SelectOver}) {
        for (std::size_t index = 0; index < kinds.size(); ++index) {
            HWND field = GetDlgItem(frame, static_cast<int>(index + 1));
            SetFocus(field);
            ASSERT_TRUE(pumpUntil([&] { return GetFocus() == field; }, 5000ms));
            int right = 0;
            int presses = 0;
            int plainPresses = 0;
            int corrections = 0;
            for (const Word& word : kWords) {
                SendMessageW(field, kFieldReset, 0, 0);
                const Typing typing = compose(word.telex, true, CodeTable::Unicode);
                std::vector<INPUT> inputs;
                for (const auto& [key, edit] : typing.edits) {
                    if (edit.pass) {
                        addStroke(inputs, {Stroke::Kind::Unit, static_cast<std::uint16_t>(key)});
                    } else {
                        for (const Stroke& stroke : strokesFor(edit, how)) {
                            addStroke(inputs, stroke);
                        }
                    }
                }
                addStroke(inputs, {Stroke::Kind::Unit, u'.'});
                SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
                // Each key's character is handled before the next key is taken from the queue, so the
                // count of presses tells when the '.' has been typed too (wherever the caret was).
                ASSERT_TRUE(pumpUntil(
                    [&] { return SendMessageW(field, kFieldKeys, 0, 0) == typing.presses(how); }, 10000ms))
                    << name(how) << ", " << name(kinds[index]) << ", " << word.telex
                    << ": the keys did not all arrive";
                right += withoutDot(fieldText(field)) == wide(word.unicode) ? 1 : 0;
                presses += static_cast<int>(SendMessageW(field, kFieldKeys, 0, 0));
                plainPresses += typing.presses(Correction::Backspaces);
                corrections += typing.corrections();
            }
            std::printf("%-13s %-24s right %d of %zu, %d key presses for %d corrections, %d more than plain "
                        "Backspaces\n",
                        name(how), name(kinds[index]), right, std::size(kWords), presses, corrections,
                        presses - plainPresses);
            const bool shouldBeRight =
                how == Correction::Placeholder || kinds[index] == FieldKind::Plain ||
                (how == Correction::SelectOver && kinds[index] == FieldKind::CaretBeforeSuggestion);
            EXPECT_EQ(right, shouldBeRight ? static_cast<int>(std::size(kWords)) : 0)
                << name(how) << " in the field with " << name(kinds[index]);
            const int extraPerCorrection = how == Correction::Backspaces    ? 0
                                           : how == Correction::Placeholder ? 2
                                                                            : 1;
            EXPECT_EQ(presses - plainPresses, extraPerCorrection * corrections) << name(how);
        }
    }
    DestroyWindow(frame);
}

// --- Part two: the real engine ---

// The block the engine loads at start: quick start on, so that no window takes the focus.
void storeSettings(bool telex, std::uint8_t codeTable) {
    const TSharedSettings block{
        std::uint8_t(telex ? 0 : 1), std::uint8_t(telex ? 1 : 0), 1, 0, 1, 0, codeTable, 0, 1, 0};
    const std::vector<std::uint8_t> bytes = lurcore::encodeSettings(block);
    std::ofstream file(std::filesystem::path(settingsFile()), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::unique_ptr<LurbProcess> startLurb(bool telex, std::uint8_t codeTable) {
    storeSettings(telex, codeTable);
    auto lurb = std::make_unique<LurbProcess>(binFolder() + L"Lurb.exe");
    EXPECT_NE(lurb->waitForForm(), nullptr) << "Lurb.exe did not start";
    EXPECT_TRUE(waitFor([&] { return trayIconPresent(lurb->form()); })) << "no tray icon";
    EXPECT_TRUE(handledSoFar(lurb->form())) << "the program does not answer";
    return lurb;
}

// xdotool is a Linux program: Wine starts it, but its process cannot be waited for.
void xdotool(const char* format, POINT at, const std::string& keys = {}) {
    char arguments[512];
    std::snprintf(arguments, sizeof arguments, format, static_cast<int>(at.x), static_cast<int>(at.y),
                  keys.c_str());
    ASSERT_TRUE(lurtest::xdotool(arguments)) << "xdotool could not be started";
}

constexpr int kCompleting = 0;
constexpr int kPlain = 1;

// suggest_target.exe, run from `exe` (a copy under another name, or itself).
class Target {
public:
    Target(const std::wstring& exe, int table) {
        wchar_t command[MAX_PATH + 64];
        std::swprintf(command, std::size(command), L"\"%ls\" %d %d %d", exe.c_str(), table, kLeft, kTop);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(exe.c_str(), command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info_)) {
            ADD_FAILURE() << "cannot start the target";
            return;
        }
        EXPECT_TRUE(waitFor([this] {
            frame_ = nullptr;
            while ((frame_ = FindWindowExW(nullptr, frame_, nullptr, L"correction test fields")) != nullptr) {
                DWORD process = 0;
                GetWindowThreadProcessId(frame_, &process);
                if (process == info_.dwProcessId) {
                    return GetDlgItem(frame_, kCompleting + 1) != nullptr &&
                           GetDlgItem(frame_, kPlain + 1) != nullptr;
                }
            }
            return false;
        })) << "the target shows no window";
    }
    ~Target() {
        if (info_.hProcess == nullptr) {
            return;
        }
        PostMessageW(frame_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(info_.hProcess, 1);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }

    // Clicks field `index` (which ends any word the engine had begun), types the keys and then '.',
    // and gives back the text before the '.'.
    std::wstring type(int index, const std::string& keys) {
        field_ = GetDlgItem(frame_, index + 1);
        SendMessageW(field_, kFieldReset, 0, 0);
        // The pointer stays over the field: without a window manager keys go to the window under it. A
        // window just shown may not be on the display yet: the pointer is moved over it until it says so.
        const POINT centre = fieldCentre(kLeft, kTop, index);
        const LRESULT moves = SendMessageW(field_, kFieldPointerMoves, 0, 0);
        const auto end = std::chrono::steady_clock::now() + 10s;
        for (LONG nudge = 0; SendMessageW(field_, kFieldPointerMoves, 0, 0) == moves; nudge = 1 - nudge) {
            if (std::chrono::steady_clock::now() > end) {
                return L"(the pointer never reached the field)";
            }
            xdotool("mousemove %d %d", {centre.x + nudge, centre.y});
            waitFor([&] { return SendMessageW(field_, kFieldPointerMoves, 0, 0) != moves; }, 500ms);
        }
        xdotool("mousemove %d %d click 1", centre);
        if (!waitFor([this] { return SendMessageW(field_, kFieldClicks, 0, 0) > 0; }, 10000ms)) {
            return L"(the click did not arrive)";
        }
        SendMessageW(field_, kFieldReset, 0, 0);
        xdotool("mousemove %d %d type --delay 40 \"%s.\"", fieldCentre(kLeft, kTop, index), keys);
        if (!waitFor([this] { return endsWithDot(field_); }, 15000ms)) {
            return L"(timed out) " + fieldText(field_);
        }
        return withoutDot(fieldText(field_));
    }
    int presses() const { return static_cast<int>(SendMessageW(field_, kFieldKeys, 0, 0)); }
    int suggestions() const { return static_cast<int>(SendMessageW(field_, kFieldSuggestions, 0, 0)); }
    LPARAM keyData(WPARAM virtualKey) const { return SendMessageW(field_, kFieldKeyData, virtualKey, 0); }

private:
    PROCESS_INFORMATION info_{};
    HWND frame_ = nullptr;
    HWND field_ = nullptr;
};

// A copy of the target named like a browser's executable.
std::wstring browserCopy() {
    const std::wstring folder = binFolder() + L"browser-copy\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + L"chrome.exe";
    EXPECT_TRUE(CopyFileW((binFolder() + L"suggest_target.exe").c_str(), exe.c_str(), FALSE))
        << "cannot copy the target";
    return exe;
}

class RealEngineInEachTable : public ::testing::TestWithParam<int> {};

TEST_P(RealEngineInEachTable, TelexAndVni) {
    const int table = GetParam();
    const auto codeTable = static_cast<CodeTable>(table);
    for (const bool telex : {true, false}) {
        auto lurb = startLurb(telex, static_cast<std::uint8_t>(table));
        const char* method = telex ? "Telex" : "VNI";
        {
            // In a browser the completing field and the plain one both end right, at two keys more
            // per correction.
            Target browser(browserCopy(), table);
            for (const Word& word : kWords) {
                const std::string keys = telex ? word.telex : word.vni;
                const Typing typing = compose(keys, telex, codeTable);
                for (const int field : {kCompleting, kPlain}) {
                    EXPECT_EQ(browser.type(field, keys), inTable(word.unicode, codeTable))
                        << method << " " << keys
                        << (field == kCompleting ? " in the completing field" : " in the plain field");
                    EXPECT_EQ(browser.presses(), typing.presses(Correction::Placeholder))
                        << method << " " << keys;
                    if (field == kCompleting) {
                        EXPECT_GT(browser.suggestions(), 0) << method << " " << keys;
                    }
                }
            }
        }
        // Elsewhere the plain field gets plain Backspaces: not one key more.
        Target other(binFolder() + L"suggest_target.exe", table);
        for (const Word& word : kWords) {
            const std::string keys = telex ? word.telex : word.vni;
            EXPECT_EQ(other.type(kPlain, keys), inTable(word.unicode, codeTable)) << method << " " << keys;
            EXPECT_EQ(other.presses(), compose(keys, telex, codeTable).presses(Correction::Backspaces))
                << method << " " << keys;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, RealEngineInEachTable, ::testing::Values(0, 1, 2));

// A copy of the target under another executable name, in a folder of its own.
std::wstring namedCopy(const wchar_t* name) {
    const std::wstring folder = binFolder() + L"named-copy\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + name;
    EXPECT_TRUE(CopyFileW((binFolder() + L"suggest_target.exe").c_str(), exe.c_str(), FALSE))
        << "cannot copy the target";
    return exe;
}

// lurio.ini beside the engine's settings, taken away again at the end.
class UserFile {
public:
    explicit UserFile(const char* text) {
        const std::wstring settings = settingsFile();
        path_ = settings.substr(0, settings.rfind(L'\\') + 1) + L"lurio.ini";
        std::ofstream(std::filesystem::path(path_), std::ios::binary | std::ios::trunc) << text;
    }
    ~UserFile() { DeleteFileW(path_.c_str()); }
    UserFile(const UserFile&) = delete;
    UserFile& operator=(const UserFile&) = delete;

private:
    std::wstring path_;
};

// A spreadsheet cell completes a word from its column and selects the rest: Excel's name, and a name the
// user lists in [completing], get the correction of browsers, and the cell ends right.
TEST(CompletingPrograms, SpreadsheetAndListedProgramEndRight) {
    const UserFile file("[completing]\nLedger.exe\n");
    auto lurb = startLurb(true, 0);
    for (const wchar_t* name : {L"excel.exe", L"ledger.exe"}) {
        Target cell(namedCopy(name), 0);
        for (const Word& word : {kWords[0], kWords[1]}) {
            EXPECT_EQ(cell.type(kCompleting, word.telex), wide(word.unicode))
                << word.telex << " in " << std::string(name, name + std::wcslen(name));
            EXPECT_EQ(cell.presses(),
                      compose(word.telex, true, CodeTable::Unicode).presses(Correction::Placeholder))
                << word.telex;
            EXPECT_GT(cell.suggestions(), 0) << word.telex;
        }
    }
}

std::uint32_t scanCode(LPARAM data) {
    return (static_cast<std::uint32_t>(data) >> 16) & 0xFF;
}
bool extended(LPARAM data) {
    return (static_cast<std::uint32_t>(data) & (1u << 24)) != 0;
}

// The keys the engine sends carry the scan codes of the US layout, as typed keys do: Backspace 0x0E
// after "dd" through the real engine; Shift 0x2A and Left 0x4B with the extended flag from the sender
// correcting by selection.
TEST(InjectedKeys, CarryTheScanCodesOfTheLayout) {
    {
        auto lurb = startLurb(true, 0);
        Target plain(binFolder() + L"suggest_target.exe", 0);
        ASSERT_EQ(plain.type(kPlain, "dd"), L"\u0111");
        EXPECT_EQ(scanCode(plain.keyData('D')), 0x20u) << "a key typed by xdotool";
        EXPECT_EQ(scanCode(plain.keyData(VK_BACK)), 0x0Eu);
        EXPECT_FALSE(extended(plain.keyData(VK_BACK)));
    }
    HWND frame = createFields(kLeft, kTop, {FieldKind::Plain}, CodeTable::Unicode, false);
    ASSERT_NE(frame, nullptr);
    HWND field = GetDlgItem(frame, 1);
    SetForegroundWindow(frame);
    SetFocus(field);
    ASSERT_TRUE(pumpUntil([&] { return GetFocus() == field; }, 5000ms));
    SetWindowTextW(field, L"ab");
    SendMessageW(field, EM_SETSEL, 2, 2);
    Edit edit;
    edit.pass = false;
    edit.backspaces = 1;
    edit.text = u"c";
    lurcore::sendEdit(edit, Correction::SelectOver);
    ASSERT_TRUE(pumpUntil([&] { return fieldText(field) == L"ac"; }, 5000ms)) << "the edit did not arrive";
    const LPARAM shift = SendMessageW(field, kFieldKeyData, VK_SHIFT, 0);
    const LPARAM left = SendMessageW(field, kFieldKeyData, VK_LEFT, 0);
    EXPECT_EQ(scanCode(shift), 0x2Au);
    EXPECT_FALSE(extended(shift));
    EXPECT_EQ(scanCode(left), 0x4Bu);
    EXPECT_TRUE(extended(left));
    DestroyWindow(frame);
}

} // namespace
} // namespace lurtest
