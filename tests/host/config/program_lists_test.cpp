// Which programs get which correction: the completing programs the engine knows, those the user adds in
// [completing], and everything else.
#include "lurcore/config/program_lists.h"

#include "lurcore/config/user_config.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lurcore::config {
namespace {

using core::Correction;

Correction correctionFor(const char16_t* path, const std::vector<std::string>& completing = {}) {
    return correctionForProgram(programName(path), completing);
}

TEST(CorrectionForProcess, BrowsersRunAndSearchBoxesReplaceTheSuggestionFirst) {
    for (const char16_t* name :
         {u"chrome.exe", u"CHROME.EXE", u"Chromium.exe", u"msedge.exe", u"firefox.exe", u"brave.exe",
          u"opera.exe", u"vivaldi.exe", u"browser.exe", u"explorer.exe", u"SearchApp.exe", u"SearchUI.exe",
          u"SearchHost.exe", uR"(C:\Program Files\Mozilla Firefox\firefox.exe)",
          u"C:/Users/a/AppData/Local/CocCoc/Browser/Application/browser.exe"}) {
        EXPECT_EQ(correctionFor(name), Correction::Placeholder) << programName(name);
    }
}

// A spreadsheet cell completes a word from its column and selects the rest, as an address bar does.
TEST(CorrectionForProcess, SpreadsheetsCompleteLikeBrowsers) {
    for (const char16_t* name :
         {u"EXCEL.EXE", uR"(C:\Program Files\Microsoft Office\root\Office16\EXCEL.EXE)", u"soffice.bin",
          uR"(C:\Program Files\LibreOffice\program\soffice.bin)", u"scalc.exe", u"et.exe"}) {
        EXPECT_EQ(correctionFor(name), Correction::Placeholder) << programName(name);
    }
}

TEST(CorrectionForProcess, EverythingElseKeepsPlainBackspaces) {
    for (const char16_t* name : {u"WINWORD.EXE", u"notepad.exe", u"", u"chrome", u"chrome.exe.old",
                                 u"xchrome.exe", uR"(C:\chrome.exe\notepad.exe)", u"firefox.ex", u"lurb.exe",
                                 uR"(C:\Tools\)", u"excel", u"wps.exe", u"soffice.exe"}) {
        EXPECT_EQ(correctionFor(name), Correction::Backspaces) << programName(name);
    }
}

// The user's list, as the file reader gives it (lower case, sorted), adds programs; it takes none away.
TEST(CorrectionForProcess, TheUsersCompletingListAddsPrograms) {
    const std::vector<std::string> listed = {"ledger.exe", "my sheet.exe", "notes.exe"};
    for (const char16_t* name : {u"Ledger.exe", uR"(D:\Apps\My Sheet.EXE)", u"notes.exe", u"chrome.exe"}) {
        EXPECT_EQ(correctionFor(name, listed), Correction::Placeholder) << programName(name);
    }
    for (const char16_t* name : {u"ledger", u"notepad.exe", u"sheet.exe", u""}) {
        EXPECT_EQ(correctionFor(name, listed), Correction::Backspaces) << programName(name);
    }
}

TEST(ProgramLists, TaskbarDesktopAndFrameHost) {
    for (const char16_t* name : {u"Shell_TrayWnd", u"Shell_SecondaryTrayWnd", u"NotifyIconOverflowWindow"}) {
        EXPECT_TRUE(isTaskbarClass(name));
    }
    for (const char16_t* name : {u"shell_traywnd", u"Progman", u"Notepad", u""}) {
        EXPECT_FALSE(isTaskbarClass(name));
    }
    EXPECT_TRUE(isDesktopClass(u"Progman"));
    EXPECT_TRUE(isDesktopClass(u"WorkerW"));
    EXPECT_FALSE(isDesktopClass(u"Shell_TrayWnd"));
    EXPECT_TRUE(isFrameHost(programName(uR"(C:\Windows\System32\ApplicationFrameHost.exe)")));
    EXPECT_FALSE(isFrameHost("calculator.exe"));
}

} // namespace
} // namespace lurcore::config
