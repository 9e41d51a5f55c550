#include "lurcore/config/user_config.h"

#include "engine/utf8.h"
#include "lurcore/core/letter_case.h"

#include <algorithm>
#include <map>

namespace lurcore::config {
namespace {

constexpr std::string_view kOptionNames[] = {"tone_style", "quick_telex", "per_app_mode", "fullscreen"};

std::u16string_view trim(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == 0xFEFF; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::u16string lower(std::u16string_view text) {
    std::u16string out(text);
    std::transform(out.begin(), out.end(), out.begin(), core::lowerCase);
    return out;
}

std::string utf8(std::u16string_view text) {
    return lur::utf16ToUtf8(text);
}

// Long values are cut so that one line cannot fill the log.
std::string quoted(std::u16string_view text) {
    constexpr std::size_t kShown = 60;
    if (text.size() > kShown) {
        return "\"" + utf8(text.substr(0, kShown)) + "...\"";
    }
    return "\"" + utf8(text) + "\"";
}

enum class Section { None, Unknown, Typing, EnglishOnly, Abbreviations, Completing, Converter };

class Reader {
public:
    ReadResult read(std::span<const std::uint8_t> bytes) {
        std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
            problem(0, "the file is saved as UTF-16 (\"Unicode\"); save it as UTF-8. Nothing in it is used");
            return std::move(result_);
        }
        if (text.starts_with("\xEF\xBB\xBF")) {
            text.remove_prefix(3);
        }
        bool cut = false;
        if (bytes.size() > kMaxFileBytes) {
            text = text.substr(0, kMaxFileBytes - (bytes.size() - text.size()));
            text = text.substr(0, text.rfind('\n') + 1); // no half line
            cut = true;
        }
        int number = 0;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            if (line.ends_with('\r')) {
                line.remove_suffix(1);
            }
            readLine(++number, line);
        }
        if (cut) {
            problem(0, "the file is larger than 1 MB: only its first " + std::to_string(number) +
                           " lines are read");
        }
        finish();
        return std::move(result_);
    }

private:
    void problem(int line, std::string text) {
        if (result_.problems.size() < kMaxProblems) {
            result_.problems.push_back({line, std::move(text)});
        } else {
            ++result_.moreProblems;
        }
    }

    void readLine(int number, std::string_view bytes) {
        const auto decoded = lur::utf8ToUtf16(bytes);
        if (!decoded) {
            problem(number, "not UTF-8 text, so it is skipped (save the file as UTF-8)");
            return;
        }
        const std::u16string_view line = trim(*decoded);
        if (line.empty() || line.front() == u';' || line.front() == u'#') {
            return;
        }
        if (line.front() == u'[') {
            startSection(number, line);
            return;
        }
        switch (section_) {
        case Section::None:
            problem(number, "comes before any [section], so it is skipped");
            break;
        case Section::Unknown:
            break; // the section's own line said so
        case Section::Typing:
            readOption(number, line);
            break;
        case Section::EnglishOnly:
            readProgram(number, line, result_.config.englishOnly);
            break;
        case Section::Completing:
            readProgram(number, line, result_.config.completing);
            break;
        case Section::Abbreviations:
            readAbbreviation(number, line);
            break;
        case Section::Converter:
            readConverter(number, line);
            break;
        }
    }

    void startSection(int number, std::u16string_view line) {
        if (line.back() != u']') {
            section_ = Section::Unknown;
            problem(number, quoted(line) +
                                " is not a section name like [typing]; the lines after it up to the next "
                                "section are skipped");
            return;
        }
        const std::u16string name = lower(trim(line.substr(1, line.size() - 2)));
        section_ = name == u"typing"          ? Section::Typing
                   : name == u"english_only"  ? Section::EnglishOnly
                   : name == u"abbreviations" ? Section::Abbreviations
                   : name == u"completing"    ? Section::Completing
                   : name == u"converter"     ? Section::Converter
                                              : Section::Unknown;
        if (section_ == Section::Unknown) {
            problem(number, "unknown section [" + utf8(name) +
                                "] (known: [typing], [english_only], [abbreviations], [completing], "
                                "[converter]); its "
                                "lines are skipped");
        }
    }

    void readOption(int number, std::u16string_view line) {
        const std::size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos) {
            problem(number, quoted(line) + " is not \"name = value\", so it is skipped");
            return;
        }
        const std::u16string name = lower(trim(line.substr(0, equals)));
        std::u16string_view value = trim(line.substr(equals + 1));
        // A comment may follow the value after a blank.
        for (std::size_t at = 1; at < value.size(); ++at) {
            if ((value[at] == u';' || value[at] == u'#') &&
                (value[at - 1] == u' ' || value[at - 1] == u'\t')) {
                value = trim(value.substr(0, at));
                break;
            }
        }
        const std::u16string word = lower(value);
        const auto known = std::find(std::begin(kOptionNames), std::end(kOptionNames), utf8(name));
        if (known == std::end(kOptionNames)) {
            problem(number, "unknown option " + quoted(name) +
                                " (known: tone_style, quick_telex, per_app_mode, fullscreen)");
            return;
        }
        const std::size_t index = static_cast<std::size_t>(known - std::begin(kOptionNames));
        if (seen_[index] != 0) {
            problem(number, utf8(name) + " was already given on line " + std::to_string(seen_[index]) +
                                "; this line's value is used");
        }
        seen_[index] = number;
        UserConfig& config = result_.config;
        if (index == 0) {
            if (word == u"classic" || word == u"modern") {
                config.toneStyle = word == u"modern" ? core::ToneStyle::Modern : core::ToneStyle::Classic;
            } else {
                config.toneStyle = core::ToneStyle::Classic;
                problem(number,
                        "tone_style is " + quoted(value) + "; it must be classic or modern. classic is used");
            }
            return;
        }
        if (index == 3) {
            readFullScreen(number, value, word);
            return;
        }
        bool& flag = index == 1 ? config.quickTelex : config.perAppMode;
        if (word == u"on" || word == u"yes" || word == u"true" || word == u"1") {
            flag = true;
        } else if (word == u"off" || word == u"no" || word == u"false" || word == u"0") {
            flag = false;
        } else {
            flag = false;
            problem(number, utf8(name) + " is " + quoted(value) + "; it must be on or off. off is used");
        }
    }

    void readFullScreen(int number, std::u16string_view value, const std::u16string& word) {
        if (word == u"english" || word == u"keep") {
            result_.config.fullScreen = word == u"english" ? FullScreenRule::English : FullScreenRule::Keep;
            return;
        }
        result_.config.fullScreen = FullScreenRule::Keep;
        problem(number, "fullscreen is " + quoted(value) + "; it must be english or keep. keep is used");
    }

    void readProgram(int number, std::u16string_view line, std::vector<std::string>& programs) {
        const std::size_t slash = line.find_last_of(u"\\/");
        if (slash != std::u16string_view::npos) {
            problem(number, quoted(line) + " is a path: only the program's file name counts, so " +
                                quoted(line.substr(slash + 1)) + " is used");
        }
        const std::string name = programName(line);
        if (name.empty() || name.size() > kMaxProgramName) {
            problem(number, quoted(line) + " is no program file name (like mstsc.exe), so it is skipped");
            return;
        }
        if (!name.ends_with(".exe")) {
            problem(number, quoted(line) + " does not end in .exe; it is used as written");
        }
        programs.push_back(name);
    }

    void readAbbreviation(int number, std::u16string_view line) {
        const std::size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos) {
            problem(number, quoted(line) + " is not \"abbreviation = text\", so it is skipped");
            return;
        }
        const std::u16string_view key = trim(line.substr(0, equals));
        const std::u16string_view text = trim(line.substr(equals + 1));
        if (!core::Abbreviations::validKey(key)) {
            problem(number, "the abbreviation " + quoted(key) +
                                " must be one word of letters and digits, at most " +
                                std::to_string(core::Abbreviations::kMaxKey) + " long; the line is skipped");
            return;
        }
        if (text.empty()) {
            problem(number,
                    "the abbreviation " + quoted(key) + " has no text after \"=\"; the line is skipped");
            return;
        }
        if (!core::Abbreviations::fits(text)) {
            problem(number, "the text of " + quoted(key) + " is longer than " +
                                std::to_string(core::Abbreviations::kMaxText) +
                                " characters, more than can be typed as one piece; the line is skipped");
            return;
        }
        if (std::any_of(text.begin(), text.end(), [](char16_t c) { return c < 0x20 && c != u'\t'; })) {
            problem(number, "the text of " + quoted(key) + " holds a control character; the line is skipped");
            return;
        }
        auto [entry, added] = abbreviations_.try_emplace(lower(key), number, std::u16string(text));
        if (!added) {
            problem(number, "the abbreviation " + quoted(key) + " was already given on line " +
                                std::to_string(entry->second.first) + "; this line's text is used");
            entry->second = {number, std::u16string(text)};
        }
    }

    // [converter]: the clipboard's key and forms.
    void readConverter(int number, std::u16string_view line) {
        const std::size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos) {
            problem(number, quoted(line) + " is not \"name = value\", so it is skipped");
            return;
        }
        const std::string name = utf8(lower(trim(line.substr(0, equals))));
        std::u16string_view text = trim(line.substr(equals + 1));
        for (std::size_t at = 1; at < text.size(); ++at) { // a comment may follow the value after a blank
            if ((text[at] == u';' || text[at] == u'#') && (text[at - 1] == u' ' || text[at - 1] == u'\t')) {
                text = trim(text.substr(0, at));
                break;
            }
        }
        const std::string value = utf8(text);
        std::string why;
        if (!readConverterOption(name, value, result_.config.converter, why)) {
            problem(number,
                    "unknown option " + quoted(trim(line.substr(0, equals))) + " (known: hotkey, from, to)");
        } else if (!why.empty()) {
            problem(number, why);
        }
    }

    void finish() {
        for (auto* names : {&result_.config.englishOnly, &result_.config.completing}) {
            std::sort(names->begin(), names->end());
            names->erase(std::unique(names->begin(), names->end()), names->end());
        }
        auto abbreviations = std::make_shared<core::Abbreviations>();
        for (const auto& [key, entry] : abbreviations_) {
            abbreviations->add(key, entry.second); // in order of the keys: each goes at the end
        }
        result_.config.abbreviations = std::move(abbreviations);
    }

    ReadResult result_;
    Section section_ = Section::None;
    int seen_[std::size(kOptionNames)] = {};
    std::map<std::u16string, std::pair<int, std::u16string>> abbreviations_; // lower-case key: line, text
};

} // namespace

ReadResult readUserConfig(std::span<const std::uint8_t> bytes) {
    return Reader().read(bytes);
}

std::string programName(std::u16string_view name) {
    const std::size_t slash = name.find_last_of(u"\\/");
    if (slash != std::u16string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    return utf8(lower(trim(name)));
}

std::string defaultUserConfigText() {
    // Notepad of every Windows version reads this as UTF-8 with the mark and CR LF line ends.
    constexpr std::string_view kLines[] = {
        "; lurio.ini: thiết lập thêm của bộ gõ Lurio 2008.",
        "; Sửa tệp này bằng Notepad rồi lưu lại (mã UTF-8): bộ gõ đọc lại ngay, không cần khởi động lại.",
        "; Dòng bắt đầu bằng ; hoặc # là lời chú thích. Lỗi trong tệp được ghi vào lurio.log",
        "; ở cùng thư mục, kèm số dòng.",
        "",
        "[typing]",
        "; Kiểu đặt dấu: classic (hòa, khỏe, thủy) hoặc modern (hoà, khoẻ, thuỷ).",
        "tone_style = classic",
        "; Gõ nhanh Telex: cc=ch, gg=gi, kk=kh, nn=ng, pp=ph, qq=qu, tt=th (on hoặc off).",
        "quick_telex = off",
        "; Nhớ chế độ Việt/Anh riêng cho từng chương trình (on hoặc off).",
        "per_app_mode = off",
        "; Khi một chương trình toàn màn hình (trò chơi) đang chạy: english (gõ tiếng Anh, phím đi thẳng",
        "; vào trò chơi) hoặc keep (giữ chế độ đang gõ).",
        "fullscreen = keep",
        "",
        "[english_only]",
        "; Tên tệp các chương trình luôn gõ tiếng Anh, mỗi dòng một tên, ví dụ:",
        "; mstsc.exe",
        "",
        "[abbreviations]",
        "; Gõ tắt: từ tắt = cụm từ đầy đủ. Cụm từ thay cho từ tắt khi từ kết thúc (dấu cách, Enter,",
        "; dấu câu) lúc đang gõ tiếng Việt; vn, Vn, VN cho Việt Nam, Việt Nam, VIỆT NAM. Ví dụ:",
        "; vn = Việt Nam",
        "",
        "[completing]",
        "; Tên tệp các chương trình có ô tự gợi ý phần còn lại của từ (như ô của bảng tính), mỗi dòng",
        "; một tên. Trình duyệt, Excel, LibreOffice và WPS đã có sẵn. Ví dụ:",
        "; myapp.exe",
        "",
        "[converter]",
        "; Phím chuyển mã văn bản trong bộ nhớ tạm (clipboard), ví dụ Ctrl+Shift+F9 hoặc Alt+K; off để tắt.",
        "hotkey = Ctrl+Shift+F9",
        "; Chuyển từ bảng mã (auto: tự nhận dạng; unicode, tcvn3, vni, viqr, ncr, cp1258, viscii)",
        "from = auto",
        "; sang bảng mã (unicode, unicode-nfd, tcvn3, vni, viqr, ncr, ncr-hex, cp1258, viscii).",
        "to = unicode",
    };
    std::string text = "\xEF\xBB\xBF";
    for (std::string_view line : kLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace lurcore::config
