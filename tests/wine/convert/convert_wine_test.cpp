// lurconv.exe on files (each exit status, the input never touched, -o the same path as the input),
// and the converter's key converting the clipboard with the real program and engine running.
#include "engine/product_names.h"
#include "tests/wine/support/lurb_process.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace lurtest {
namespace {

// "Các bạn đã đến Việt Nam" in TCVN3 bytes, and in UTF-8.
const std::string kTcvn3 = "C\xB8"
                           "c b\xB9n \xAE\xB7 \xAE\xD5n Vi\xD6t Nam\r\n";
const std::string kUtf8 = "C\xC3\xA1"
                          "c b\xE1\xBA\xA1n \xC4\x91\xC3\xA3 \xC4\x91\xE1\xBA\xBFn Vi\xE1\xBB\x87t Nam\r\n";

std::string readFile(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes;
    if (file == INVALID_HANDLE_VALUE) {
        return "<missing " + std::to_string(GetLastError()) + ">";
    }
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return bytes;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// A folder of its own for each test, emptied first.
std::wstring workFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lurconv-" + name + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                DeleteFileW((folder + found.cFileName).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return folder;
}

std::vector<std::wstring> filesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(found.cFileName);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return names;
}

struct ConvRun {
    long status = -1;
    std::string out;
    std::string err;
};

// Runs lurconv.exe in `folder` with `arguments`; standard input from `input` (a file there) or none.
ConvRun lurconv(const std::wstring& folder, const std::wstring& arguments, const std::wstring& input = L"") {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    // Beside the folder, not in it: its files are what a test looks at.
    const std::wstring streams = folder.substr(0, folder.size() - 1) + L"-streams\\";
    CreateDirectoryW(streams.c_str(), nullptr);
    static int runs = 0;
    const std::wstring outPath = streams + L"stdout" + std::to_wstring(++runs) + L".bin";
    const std::wstring errPath = streams + L"stderr" + std::to_wstring(runs) + L".bin";
    HANDLE out =
        CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    HANDLE err =
        CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    HANDLE in = CreateFileW(input.empty() ? L"NUL" : (folder + input).c_str(), GENERIC_READ, FILE_SHARE_READ,
                            &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + binFolder() + L"lurconv.exe\" " + arguments;
    ConvRun run;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       folder.c_str(), &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            run.status = static_cast<long>(code);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (HANDLE handle : {in, out, err}) {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
    // Wine may keep the child's end of the streams open a moment after the child has ended.
    for (auto [path, text] : {std::pair(&outPath, &run.out), std::pair(&errPath, &run.err)}) {
        waitFor([&] {
            *text = readFile(*path);
            return text->rfind("<missing", 0) != 0;
        });
    }
    return run;
}

TEST(Lurconv, FilesStatusesAndTheInputLeftAlone) {
    const std::wstring folder = workFolder(L"files");
    writeFile(folder + L"tcvn3.txt", kTcvn3);
    ConvRun run = lurconv(folder, L"--from tcvn3 --to unicode -o out.txt tcvn3.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(folder + L"out.txt"), kUtf8);
    EXPECT_EQ(readFile(folder + L"tcvn3.txt"), kTcvn3);

    // auto finds TCVN3 and says so.
    run = lurconv(folder, L"--from auto --to unicode tcvn3.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kUtf8);
    EXPECT_NE(run.err.find("--from auto: tcvn3"), std::string::npos) << run.err;

    // A character TCVN3 cannot hold: written as ?, its place on standard error, status 1.
    writeFile(folder + L"chinese.txt", "a\n\xE4\xB8\xAD b");
    run = lurconv(folder, L"--from unicode --to tcvn3 -o chinese.tcvn chinese.txt");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(readFile(folder + L"chinese.tcvn"), "a\n? b");
    EXPECT_NE(run.err.find("2:1 U+4E2D"), std::string::npos) << run.err;
    EXPECT_EQ(readFile(folder + L"chinese.txt"), "a\n\xE4\xB8\xAD b");

    // Status 2, and the output left as it was: no input file, wrong arguments, input that is not UTF-8.
    writeFile(folder + L"keep.txt", "old");
    for (const wchar_t* arguments :
         {L"--from tcvn3 --to unicode -o keep.txt missing.txt",
          L"--from latin1 --to unicode -o keep.txt tcvn3.txt",
          L"--from unicode --to vni -o keep.txt tcvn3.txt", L"--to vni -o keep.txt tcvn3.txt"}) {
        run = lurconv(folder, arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err.find("lurconv: "), std::string::npos) << arguments;
        EXPECT_EQ(readFile(folder + L"keep.txt"), "old") << arguments;
    }
    EXPECT_EQ(readFile(folder + L"tcvn3.txt"), kTcvn3);
}

TEST(Lurconv, OutputOverItsInputGoesThroughATemporaryFile) {
    const std::wstring folder = workFolder(L"same");
    writeFile(folder + L"doc.txt", kTcvn3);
    const ConvRun run = lurconv(folder, L"--from tcvn3 --to unicode -o doc.txt doc.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(folder + L"doc.txt"), kUtf8);
    // Nothing else left behind: the temporary file was renamed into place.
    EXPECT_EQ(filesIn(folder), std::vector<std::wstring>{L"doc.txt"});
}

TEST(Lurconv, StandardStreamsAndHelp) {
    const std::wstring folder = workFolder(L"streams");
    writeFile(folder + L"in.txt", kUtf8);
    ConvRun run = lurconv(folder, L"--from unicode --to vni", L"in.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 4), "Ca\xF9"
                                    "c");
    run = lurconv(folder, L"--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Converts Vietnamese text"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("chuy\xE1\xBB\x83n"), std::string::npos); // chuyển
}

bool setClipboard(const std::u16string& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    return ok;
}

std::u16string clipboard() {
    std::u16string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const char16_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A window of this program in front, as a user's document would be, that the keys pressed go to. Keys
// reach the system (and its hot keys) through the window that has the focus, so its thread pumps
// messages while the test waits (pumpUntil).
class FocusWindow {
public:
    FocusWindow()
        : window_(CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 120,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {
        SetForegroundWindow(window_);
        SetFocus(window_);
    }
    ~FocusWindow() { DestroyWindow(window_); }
    FocusWindow(const FocusWindow&) = delete;
    FocusWindow& operator=(const FocusWindow&) = delete;

    // Presses `keys` (xdotool's names) with the pointer over the window and a click into it first.
    bool press(const char* keys) const {
        RECT box{};
        GetWindowRect(window_, &box);
        return xdotool("mousemove " + std::to_string((box.left + box.right) / 2) + " " +
                       std::to_string((box.top + box.bottom) / 2) + " click 1 key " + keys);
    }

private:
    HWND window_;
};

TEST(ConverterKey, ConvertsTheClipboardOnceAndLeavesUnicodeAlone) {
    writeFile(userFile(L"lurio.ini"), "[converter]\nhotkey = Ctrl+Shift+F9\nfrom = auto\nto = unicode\n");
    DeleteFileW(userFile(L"lurio.log").c_str());
    LurbProcess lurb(binFolder() + L"Lurb.exe");
    ASSERT_NE(lurb.waitForForm(), nullptr) << "Lurb.exe did not start";
    // The engine holds the key once a registration of our own is refused.
    ASSERT_TRUE(waitFor(
        [] {
            if (RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_SHIFT, VK_F9)) {
                UnregisterHotKey(nullptr, 7);
                return false;
            }
            return true;
        },
        10000ms))
        << "the engine did not register Ctrl+Shift+F9";

    FocusWindow focus;
    // A ".Vn" font's text as it reaches the clipboard: TCVN3 bytes as Windows-1252 characters.
    ASSERT_TRUE(setClipboard(u"C\u00B8"
                             u"c b\u00B9n \u00AE\u00B7 \u00AE\u00D5n Vi\u00D6t Nam"));
    ASSERT_TRUE(focus.press("ctrl+shift+F9"));
    const std::u16string unicode = u"Các bạn đã đến Việt Nam";
    EXPECT_TRUE(pumpUntil([&] { return clipboard() == unicode; }, 10000ms))
        << clipboard().size() << " units on the clipboard";
    const auto state = [&] {
        return "running " + std::to_string(lurb.running()) + ", log:\n" + readFile(userFile(L"lurio.log"));
    };
    EXPECT_TRUE(pumpUntil(
        [] {
            return readFile(userFile(L"lurio.log")).find("TCVN3 -> Unicode: 23 characters") !=
                   std::string::npos;
        },
        10000ms))
        << state();

    // A second press finds Unicode: the clipboard is not even written.
    const DWORD sequence = GetClipboardSequenceNumber();
    ASSERT_TRUE(focus.press("ctrl+shift+F9"));
    EXPECT_TRUE(
        pumpUntil([] { return countOf(readFile(userFile(L"lurio.log")), "converter: ") == 2; }, 10000ms))
        << state();
    EXPECT_NE(readFile(userFile(L"lurio.log")).find("Unicode -> Unicode: nothing to change in 23 characters"),
              std::string::npos)
        << readFile(userFile(L"lurio.log"));
    EXPECT_EQ(clipboard(), unicode);
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    DeleteFileW(userFile(L"lurio.ini").c_str());
    DeleteFileW(userFile(L"lurio.log").c_str());
}

// Another program holds the key: lurio.log says so, and the program runs on as before.
TEST(ConverterKey, AKeyAnotherProgramHoldsIsLoggedAndNothingElseChanges) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 9, MOD_CONTROL | MOD_ALT, VK_F11)) << "the key is taken already";
    writeFile(userFile(L"lurio.ini"), "[converter]\nhotkey = Ctrl+Alt+F11\n");
    DeleteFileW(userFile(L"lurio.log").c_str());
    {
        LurbProcess lurb(binFolder() + L"Lurb.exe");
        ASSERT_NE(lurb.waitForForm(), nullptr) << "Lurb.exe did not start";
        EXPECT_TRUE(waitFor(
            [] {
                return readFile(userFile(L"lurio.log"))
                           .find("converter: the key Ctrl+Alt+F11 cannot be registered") != std::string::npos;
            },
            10000ms))
            << readFile(userFile(L"lurio.log"));
        EXPECT_TRUE(handledSoFar(lurb.form())) << "the program does not answer";
        EXPECT_TRUE(lurb.running());
    }
    UnregisterHotKey(nullptr, 9);
    DeleteFileW(userFile(L"lurio.ini").c_str());
    DeleteFileW(userFile(L"lurio.log").c_str());
}

} // namespace
} // namespace lurtest
