// The converter's speed on a 10 MB text: words of the hunspell-vi list, a full stop and a line end
// now and then, converted from Unicode into each form and back, and --from auto on it, the way
// lurconv does the work (without the file's reading and writing).
//
//   convert_bench [MEGABYTES]
#include "lurconv/conversion_job.h"
#include "lurcore/convert/converter.h"
#include "lurcore/convert/unicode_text.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using lurcore::convert::Form;

std::vector<std::string> words() {
    std::ifstream file(LUR_VI_WORD_LIST);
    std::vector<std::string> list;
    std::string line;
    std::getline(file, line);
    while (std::getline(file, line)) {
        line = line.substr(0, line.find('/'));
        if (!line.empty()) {
            list.push_back(line);
        }
    }
    return list;
}

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv) {
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 10.0;
    const auto list = words();
    if (list.empty()) {
        std::fprintf(stderr, "no word list at %s\n", LUR_VI_WORD_LIST);
        return 1;
    }
    std::mt19937 random(1);
    std::string utf8;
    const auto target = static_cast<std::size_t>(megabytes * 1024 * 1024);
    while (utf8.size() < target) {
        utf8 += list[random() % list.size()];
        const unsigned r = random() % 16;
        utf8 += r == 0 ? ".\r\n" : r == 1 ? ", " : " ";
    }
    std::printf("input: %.1f MB of UTF-8 (%zu bytes)\n", utf8.size() / 1048576.0, utf8.size());
    std::printf("%-12s %12s %10s %12s %10s\n", "form", "to: bytes", "MB/s", "back: chars", "MB/s");
    for (Form form : lurcore::convert::kForms) {
        lurconv::Arguments there;
        there.from = Form::Unicode;
        there.to = form;
        auto start = std::chrono::steady_clock::now();
        const lurconv::JobResult encoded = lurconv::convertBytes(there, utf8);
        const double toSeconds = seconds(start);
        lurconv::Arguments back;
        back.from = form;
        back.to = Form::Unicode;
        start = std::chrono::steady_clock::now();
        const lurconv::JobResult decoded = lurconv::convertBytes(back, encoded.output);
        const double backSeconds = seconds(start);
        const bool same = decoded.output == utf8 || form == Form::Tcvn3; // TCVN3 keeps no toned capitals
        std::printf("%-12s %12zu %10.1f %12zu %10.1f%s\n",
                    std::string(lurcore::convert::formName(form)).c_str(), encoded.output.size(),
                    utf8.size() / 1048576.0 / toSeconds, decoded.output.size(),
                    encoded.output.size() / 1048576.0 / backSeconds, same ? "" : "  (round trip differs!)");
        if (form == Form::Tcvn3 || form == Form::Vni) {
            lurconv::Arguments guess;
            guess.to = Form::Unicode;
            start = std::chrono::steady_clock::now();
            const lurconv::JobResult found = lurconv::convertBytes(guess, encoded.output);
            std::printf("  auto on %s: %.1f MB/s, %s", std::string(lurcore::convert::formName(form)).c_str(),
                        encoded.output.size() / 1048576.0 / seconds(start), found.messages.c_str());
        }
    }
    return 0;
}
