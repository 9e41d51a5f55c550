#include "lurconv/conversion_job.h"

#include "lurcore/convert/detect.h"
#include "lurcore/convert/unicode_text.h"

namespace lurconv {
namespace {

using lurcore::convert::Form;

std::string formList() {
    std::string list;
    for (Form form : lurcore::convert::kForms) {
        list += list.empty() ? "" : ", ";
        list += lurcore::convert::formName(form);
    }
    return list;
}

std::string number(std::size_t value) {
    return std::to_string(value);
}

std::string codePoint(char32_t c) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    for (char32_t rest = c; rest != 0 || digits.size() < 4; rest >>= 4) {
        digits.insert(digits.begin(), kDigits[rest & 0xF]);
    }
    return "U+" + digits;
}

JobResult failure(std::string message) {
    return {kFailed, {}, "lurconv: " + message + "\n"};
}

} // namespace

std::optional<Arguments> parseArguments(const std::vector<std::string>& arguments, std::string& error) {
    Arguments parsed;
    bool haveFrom = false;
    bool haveTo = false;
    bool haveInput = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            parsed.help = true;
            return parsed;
        }
        if (argument == "--from" || argument == "--to" || argument == "-o") {
            if (i + 1 == arguments.size()) {
                error = argument + " needs a value";
                return std::nullopt;
            }
            const std::string& value = arguments[++i];
            if (argument == "-o") {
                if (!parsed.output.empty() || value.empty()) {
                    error = value.empty() ? "-o needs a file name" : "-o is given twice";
                    return std::nullopt;
                }
                parsed.output = value;
                continue;
            }
            bool& seen = argument == "--from" ? haveFrom : haveTo;
            if (seen) {
                error = argument + " is given twice";
                return std::nullopt;
            }
            seen = true;
            if (argument == "--from" && (value == "auto" || value == "AUTO")) {
                continue;
            }
            const auto form = lurcore::convert::formFromName(value);
            if (!form) {
                error = "unknown form \"" + value + "\" (known: " + formList() +
                        (argument == "--from" ? ", auto)" : ")");
                return std::nullopt;
            }
            if (argument == "--from") {
                parsed.from = *form;
            } else {
                parsed.to = *form;
            }
            continue;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option " + argument;
            return std::nullopt;
        }
        if (haveInput) {
            error = "more than one input file (" + parsed.input + ", " + argument + ")";
            return std::nullopt;
        }
        haveInput = true;
        parsed.input = argument == "-" ? "" : argument;
    }
    if (!haveFrom || !haveTo) {
        error = !haveFrom ? "--from is missing" : "--to is missing";
        return std::nullopt;
    }
    return parsed;
}

std::string usage() {
    return "lurconv: chuyển văn bản tiếng Việt giữa các bảng mã.\n"
           "\n"
           "  lurconv --from DẠNG --to DẠNG [-o TỆP_RA] [TỆP_VÀO]\n"
           "\n"
           "Không có TỆP_VÀO thì đọc từ đầu vào chuẩn, không có -o thì ghi ra đầu ra chuẩn.\n"
           "--from auto: tự nhận dạng theo bảng mã giải thích văn bản tốt nhất, và báo đã chọn dạng nào.\n"
           "Văn bản Unicode đọc và ghi bằng UTF-8 (giữ dấu BOM nếu tệp vào có; nhận cả UTF-16 có BOM);\n"
           "các bảng mã cũ là byte. Tệp vào không bao giờ bị ghi đè trực tiếp.\n"
           "Mã thoát: 0 đã chuyển, 1 đã chuyển nhưng có ký tự bị thay bằng ? (liệt kê trên stderr\n"
           "dạng dòng:cột U+XXXX), 2 tham số sai hoặc không đọc/ghi được tệp.\n"
           "\n"
           "Converts Vietnamese text between code tables.\n"
           "\n"
           "  lurconv --from FORM --to FORM [-o OUTPUT] [INPUT]\n"
           "\n"
           "Without INPUT it reads standard input; without -o it writes standard output.\n"
           "--from auto picks the form that explains the input best and says which it picked.\n"
           "Unicode is read and written as UTF-8 (a byte-order mark kept if the input had one; UTF-16\n"
           "with a byte-order mark accepted); legacy forms are bytes. The input is never written over\n"
           "in place. Exit status: 0 converted, 1 converted with characters replaced by ? (each listed\n"
           "on standard error as line:column U+XXXX), 2 bad arguments or a file that cannot be read or\n"
           "written.\n"
           "\n"
           "Dạng / forms:\n"
           "  unicode      Unicode dựng sẵn / precomposed (NFC)\n"
           "  unicode-nfd  Unicode tổ hợp / decomposed (NFD)\n"
           "  tcvn3        TCVN3, phông .Vn / \".Vn\" fonts\n"
           "  vni          VNI Windows\n"
           "  viqr         VIQR: Vie^.t Nam, dd = đ\n"
           "  ncr, ncr-hex &#7879; &#x1EC7;\n"
           "  cp1258       Windows-1258\n"
           "  viscii       VISCII\n";
}

JobResult convertBytes(const Arguments& arguments, std::string_view input) {
    using namespace lurcore::convert;
    // A byte-order mark says the input is text, whatever the form.
    bool marked = false;
    std::u32string text;
    bool isText = false;
    std::size_t badAt = 0;
    if (input.starts_with("\xFF\xFE") || input.starts_with("\xFE\xFF")) {
        marked = true;
        if (!readUtf16(input.substr(2), input[0] == '\xFE', text)) {
            return failure("the input starts as UTF-16 but is not UTF-16 text; nothing was written");
        }
        isText = true;
    } else {
        if (input.starts_with("\xEF\xBB\xBF")) {
            marked = true;
            input.remove_prefix(3);
        }
        isText = readUtf8(input, text, badAt);
    }
    // The byte forms read bytes; marked text holds a legacy font's bytes as Windows-1252 characters.
    std::u32string units;
    if (marked && isText) {
        units = unitsFromWindows1252(text);
    } else {
        units.reserve(input.size());
        for (char byte : input) {
            units.push_back(static_cast<unsigned char>(byte));
        }
    }
    JobResult result;
    Form from = Form::Unicode;
    if (arguments.from) {
        from = *arguments.from;
        if (!isByteForm(from) && !isText) {
            std::size_t line = 1;
            for (std::size_t i = 0; i < badAt; ++i) {
                line += input[i] == '\n' ? 1 : 0;
            }
            return failure(
                "the input is not UTF-8 text (line " + number(line) + ", byte " + number(badAt + 1) +
                "), so it cannot be " + std::string(formName(from)) +
                "; nothing was written. A legacy table is read with --from tcvn3, vni, cp1258 or viscii");
        }
    } else {
        const auto detected = detectForm(isText ? &text : nullptr, units);
        if (!detected) {
            return failure(
                "--from auto: no form reads this input as Vietnamese; give --from. Nothing was written");
        }
        from = detected->form;
        result.messages += "lurconv: --from auto: " + std::string(formName(from)) + " (" +
                           number(static_cast<std::size_t>(detected->syllables)) + " of " +
                           number(static_cast<std::size_t>(detected->words)) +
                           " words with Vietnamese letters read as syllables)\n";
    }
    const std::u32string decoded =
        decode(from, isByteForm(from) ? std::u32string_view(units) : std::u32string_view(text));
    const Encoded encoded = encode(arguments.to, decoded);
    if (isByteForm(arguments.to)) {
        result.output.reserve(encoded.units.size());
        for (char32_t unit : encoded.units) {
            result.output.push_back(static_cast<char>(unit));
        }
    } else {
        result.output = (marked ? "\xEF\xBB\xBF" : "") + toUtf8(encoded.units);
    }
    for (const Replaced& replaced : encoded.replaced) {
        result.messages += number(replaced.line) + ":" + number(replaced.column) + " " +
                           codePoint(replaced.character) + "\n";
    }
    if (encoded.replacedCount > encoded.replaced.size()) {
        result.messages +=
            "lurconv: ... " + number(encoded.replacedCount - encoded.replaced.size()) + " more\n";
    }
    if (encoded.replacedCount > 0) {
        result.messages += "lurconv: " + number(encoded.replacedCount) + " character(s) that " +
                           std::string(formTitle(arguments.to)) + " cannot hold were written as ?\n";
        result.status = kConvertedWithReplacements;
    }
    return result;
}

} // namespace lurconv
