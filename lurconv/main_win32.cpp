// lurconv.exe: the converter on the command line. Files are read whole, converted, and written
// through a temporary file that is then renamed into place, so the input is never half overwritten.
#include "engine/utf8.h"
#include "lurconv/conversion_job.h"
#include "lurcore/store/atomic_file.h"
#include "lurcore/win32/win32_file_ops.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

bool readAll(HANDLE handle, std::string& bytes) {
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(handle, buffer, sizeof buffer, &got, nullptr)) {
            return GetLastError() == ERROR_BROKEN_PIPE; // the writer closed its end: that is the end
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer, got);
    }
}

bool readFile(const std::string& path, std::string& bytes) {
    HANDLE file =
        CreateFileW(lur::wideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size)) {
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    const bool ok = readAll(file, bytes);
    CloseHandle(file);
    return ok;
}

bool writeAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// A console shows UTF-16 whatever its code page; a file or pipe gets the UTF-8 bytes.
void writeText(DWORD which, const std::string& text) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = lur::wideFromUtf8(text);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    writeAll(handle, text);
}

std::string errorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", length);
    LocalFree(text);
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(error) : lur::utf8FromWide(message);
}

int fail(const std::string& message) {
    writeText(STD_ERROR_HANDLE, "lurconv: " + message + "\n");
    return lurconv::kFailed;
}

int run() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(lur::utf8FromWide(wide[i]));
    }
    LocalFree(wide);

    std::string error;
    const auto parsed = lurconv::parseArguments(arguments, error);
    if (!parsed) {
        return fail(error + " (lurconv --help)");
    }
    if (parsed->help) {
        writeText(STD_OUTPUT_HANDLE, lurconv::usage());
        return lurconv::kConverted;
    }
    std::string input;
    if (parsed->input.empty()) {
        if (!readAll(GetStdHandle(STD_INPUT_HANDLE), input)) {
            return fail("cannot read standard input: " + errorText(GetLastError()));
        }
    } else if (!readFile(parsed->input, input)) {
        return fail("cannot read " + parsed->input + ": " + errorText(GetLastError()));
    }
    const lurconv::JobResult result = lurconv::convertBytes(*parsed, input);
    if (result.status == lurconv::kFailed) {
        writeText(STD_ERROR_HANDLE, result.messages);
        return result.status;
    }
    if (parsed->output.empty()) {
        if (!writeAll(GetStdHandle(STD_OUTPUT_HANDLE), result.output)) {
            return fail("cannot write standard output: " + errorText(GetLastError()));
        }
    } else {
        lurcore::Win32FileOps files;
        const std::vector<std::uint8_t> bytes(result.output.begin(), result.output.end());
        if (!lurcore::saveAtomically(files, parsed->output, bytes)) {
            return fail("cannot write " + parsed->output + ": " + errorText(GetLastError()) +
                        "; it was left as it was");
        }
    }
    writeText(STD_ERROR_HANDLE, result.messages);
    return result.status;
}

} // namespace

int main() {
    return run();
}
