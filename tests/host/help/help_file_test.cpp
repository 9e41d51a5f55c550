// Checks the compiled help file and the pages it is made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "chm_reader.h"
#include "engine/product_names.h"

namespace fs = std::filesystem;
using lurhelp_test::ChmFile;
using lurhelp_test::parseSystem;

namespace {

const fs::path kSource = LURHELP_SRC;
const fs::path kChm = LURHELP_CHM;
const fs::path kStaged = LURHELP_STAGED; // the pages as the build put them into the help file

std::vector<unsigned char> readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string readText(const fs::path& p) {
    const auto b = readBytes(p);
    return {b.begin(), b.end()};
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// "key=value" lines of the [OPTIONS] section and the lines of [FILES] of the project file.
struct Project {
    std::map<std::string, std::string> options;
    std::vector<std::string> files;
};

Project readProject() {
    Project p;
    std::ifstream in(kSource / "lurhelp.hhp");
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line.front() == '[') {
            section = line;
            continue;
        }
        if (section == "[OPTIONS]") {
            const auto eq = line.find('=');
            if (eq != std::string::npos)
                p.options[line.substr(0, eq)] = line.substr(eq + 1);
        } else if (section == "[FILES]") {
            p.files.push_back(line);
        }
    }
    return p;
}

std::vector<std::string> sourceFiles(const std::set<std::string>& extensions) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(kSource))
        if (extensions.count(e.path().extension().string()))
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> pages() {
    return sourceFiles({".html"});
}

const ChmFile& chm() {
    static const ChmFile file(readBytes(kChm));
    return file;
}

std::string asString(const std::vector<unsigned char>& v) {
    std::string s(v.begin(), v.end());
    while (!s.empty() && s.back() == '\0')
        s.pop_back();
    return s;
}

bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size() + (extra == 0 ? 1 : 0))
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::set<std::string> anchorsOf(const std::string& html) {
    std::set<std::string> names;
    static const std::regex re(R"re(\b(?:name|id)="([^"]+)")re", std::regex::icase);
    for (std::sregex_iterator it(html.begin(), html.end(), re), end; it != end; ++it)
        names.insert((*it)[1]);
    return names;
}

} // namespace

TEST(HelpContainer, IsAnItsfFileListingEveryProjectFileAndSitemap) {
    ASSERT_TRUE(fs::exists(kChm)) << kChm;
    const auto head = readBytes(kChm);
    ASSERT_GE(head.size(), 4u);
    EXPECT_EQ(std::string(head.begin(), head.begin() + 4), "ITSF");
    ASSERT_EQ(chm().error(), "");
    EXPECT_EQ(chm().version(), 3u);

    const Project project = readProject();
    ASSERT_FALSE(project.files.empty());
    std::vector<std::string> expected = project.files;
    expected.push_back(project.options.at("Contents file"));
    expected.push_back(project.options.at("Index file"));
    for (const auto& name : expected)
        EXPECT_EQ(chm().entries().count("/" + name), 1u) << name << " is not in the help file";
    EXPECT_EQ(chm().entries().count("/#SYSTEM"), 1u);
}

TEST(HelpContainer, EveryPageAndStyleSheetInTheFolderIsInTheProject) {
    const Project project = readProject();
    const std::set<std::string> listed(project.files.begin(), project.files.end());
    for (const auto& name : sourceFiles({".html", ".css"}))
        EXPECT_EQ(listed.count(name), 1u) << name << " is missing from [FILES] of lurhelp.hhp";
    EXPECT_GE(pages().size(), 10u);
}

TEST(HelpPages, TheTitlePageShowsTheProgramsVersionAndNoPageKeepsAPlaceholder) {
    const std::string index = readText(kStaged / "index.html");
    EXPECT_NE(index.find(std::string("Phiên bản ") + LUR_VERSION + "<"), std::string::npos);
    EXPECT_NE(readText(kSource / "index.html").find("@LUR_VERSION@"), std::string::npos);
    for (const auto& page : pages())
        EXPECT_EQ(readText(kStaged / page).find("@LUR_"), std::string::npos) << page;
}

TEST(HelpSystemRecord, CarriesTheProjectsTitleTopicSitemapsAndLanguage) {
    const auto system = chm().readUncompressed("/#SYSTEM");
    ASSERT_TRUE(system.has_value()) << "#SYSTEM missing or compressed";
    const auto records = parseSystem(*system);
    const Project project = readProject();

    ASSERT_EQ(records.count(3), 1u) << "no title";
    const std::string title = asString(records.at(3));
    EXPECT_EQ(title, project.options.at("Title"));
    EXPECT_NE(title.find(LUR_PRODUCT_NAME), std::string::npos);
    // Viewers put the title through the ANSI code page of the system, not of the help's language.
    EXPECT_TRUE(std::all_of(title.begin(), title.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
        << title;

    ASSERT_EQ(records.count(2), 1u) << "no default topic";
    const std::string topic = asString(records.at(2));
    EXPECT_EQ(topic, project.options.at("Default topic"));
    EXPECT_EQ(chm().entries().count("/" + topic), 1u) << topic;

    ASSERT_EQ(records.count(0), 1u) << "no contents file";
    EXPECT_EQ(asString(records.at(0)), project.options.at("Contents file"));
    ASSERT_EQ(records.count(1), 1u) << "no index file";
    EXPECT_EQ(asString(records.at(1)), project.options.at("Index file"));

    // The sitemaps are converted to windows-1258 for this language.
    ASSERT_EQ(records.count(4), 1u);
    ASSERT_GE(records.at(4).size(), 4u);
    const auto& lang = records.at(4);
    EXPECT_EQ(lang[0] | (lang[1] << 8), 0x42a);
    EXPECT_EQ(chm().lcid(), 0x42au);
}

TEST(HelpPages, AreUtf8WithACharsetDeclarationAndATitle) {
    static const std::regex title(R"(<title>[^<]+</title>)", std::regex::icase);
    for (const auto& page : pages()) {
        const std::string html = readText(kSource / page);
        EXPECT_TRUE(validUtf8(html)) << page;
        EXPECT_NE(lower(html).find("<meta charset=\"utf-8\">"), std::string::npos) << page;
        EXPECT_NE(html.find("<html lang=\"vi\">"), std::string::npos) << page;
        EXPECT_TRUE(std::regex_search(html, title)) << page;
    }
    for (const char* sitemap : {"lurhelp.hhc", "lurhelp.hhk"})
        EXPECT_TRUE(validUtf8(readText(kSource / sitemap))) << sitemap;
}

TEST(HelpLinks, EveryLinkAndAnchorLeadsToAPageInTheHelpFile) {
    static const std::regex link(R"re(\b(?:href|src)="([^"]*)")re", std::regex::icase);
    static const std::regex local(R"re(<param name="Local" value="([^"]*)")re", std::regex::icase);
    std::vector<std::pair<std::string, std::string>> targets; // (from, target)
    for (const auto& page : pages()) {
        const std::string html = readText(kSource / page);
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it)
            targets.emplace_back(page, (*it)[1]);
    }
    std::size_t sitemapLinks = 0;
    for (const char* sitemap : {"lurhelp.hhc", "lurhelp.hhk"}) {
        const std::string text = readText(kSource / sitemap);
        for (std::sregex_iterator it(text.begin(), text.end(), local), end; it != end; ++it, ++sitemapLinks)
            targets.emplace_back(sitemap, (*it)[1]);
    }
    EXPECT_GT(sitemapLinks, 20u);
    for (const auto& [from, target] : targets) {
        ASSERT_FALSE(target.empty()) << from;
        const auto hash = target.find('#');
        const std::string file = hash == std::string::npos ? target : target.substr(0, hash);
        const std::string anchor = hash == std::string::npos ? "" : target.substr(hash + 1);
        const std::string resolved = file.empty() ? from : file;
        EXPECT_EQ(target.find(':'), std::string::npos) << from << " links outside the help: " << target;
        EXPECT_EQ(chm().entries().count("/" + resolved), 1u) << from << " -> " << target;
        if (!anchor.empty() && fs::exists(kSource / resolved)) {
            EXPECT_EQ(anchorsOf(readText(kSource / resolved)).count(anchor), 1u) << from << " -> " << target;
        }
    }
}

TEST(HelpContents, ListsEveryPage) {
    const std::string hhc = readText(kSource / "lurhelp.hhc");
    for (const auto& page : pages())
        EXPECT_NE(hhc.find("value=\"" + page + "\""), std::string::npos) << page << " is not in the contents";
}

// The user sees these exact texts in the tray menu and the configuration window.
TEST(HelpCoverage, NamesEveryMenuItemAndEveryWindowControlExactly) {
    const std::string tray = readText(kSource / "khay.html");
    for (const char* item :
         {"Exit", "Help", "Configuration", "Vni Input Method", "Telex Input Method", "Unicode Code Table",
          "TCVN3 Code Table", "Vni Code Table", "VietNamese", "English"})
        EXPECT_NE(tray.find(std::string(">") + item + "<"), std::string::npos) << item;

    const std::string window = readText(kSource / "cauhinh.html");
    for (const char* caption : {"Bảng Mã",
                                "Kiểu gõ",
                                "Phím chuyển",
                                "Kiểm tra lỗi chính tả",
                                "Bỏ dấu ngay sau nguyên âm",
                                "Bỏ dấu tự do",
                                "Khởi động cùng hệ thống",
                                "Tạo biểu tượng trên DeskTop",
                                "Khởi động nhanh",
                                "Thoát",
                                "Trợ giúp",
                                "TaskBar",
                                "01 - UNICODE",
                                "02 - TCVN3",
                                "03 - VNI WIN",
                                "01 - ALT + Z",
                                "02 - SHIFT + CTLR",
                                "Chọn bảng mã và kiểu gõ",
                                "Quy tắc bỏ dấu",
                                "VNI",
                                "TELEX"})
        EXPECT_NE(window.find(caption), std::string::npos) << caption;
}
