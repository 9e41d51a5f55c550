// Start with the system, the desktop shortcut, help, and the texts of the error box.
#include "app/typing_options.h"
#include "config/paths.h"
#include "engine/product_names.h"
#include "tests/host/support/fake_platform.h"

#include <gtest/gtest.h>

using Calls = std::vector<std::string>;

namespace {

constexpr TSharedSettings kBlock{0, 1, 1, 0, 1, 0, 0, 0, 0, 0};

struct SystemLinks : testing::Test {
    fake::Rig rig{kBlock};
    TForm1& form = rig.created();
};

} // namespace

TEST_F(SystemLinks, TickingRegistersTheRunningProgramAfterStoring) {
    form.chksys.userClick();
    EXPECT_EQ(fake::calls(),
              (Calls{"WriteToFile", "SetRegValue Lurb C:\\Program Files\\Lurio 2008\\Lurb.exe"}));
    EXPECT_EQ(fake::storedBlocks().at(0).StartWithSystem, 1);
}

TEST_F(SystemLinks, UntickingRemovesTheEntryEvenIfNoneWasMade) {
    form.chksys.setChecked(true);
    fake::clearCalls();
    form.chksys.userClick();
    EXPECT_EQ(fake::calls(), (Calls{"WriteToFile", "DeleteRegKey Lurb"}));
    EXPECT_EQ(fake::engineBlock().StartWithSystem, 0);
}

TEST_F(SystemLinks, TickingCopiesNoOtherControl) {
    form.Mold.userClick();
    form.chksys.userClick();
    EXPECT_EQ(fake::storedBlocks().at(0).SpellCheck, 1);
}

TEST_F(SystemLinks, WithoutTheProgramPathNothingIsRegistered) {
    rig.shell.exePath.reset();
    form.chksys.userClick();
    EXPECT_EQ(fake::calls(), (Calls{"WriteToFile"}));
}

TEST(SystemLinksLoading, StoredStartWithSystemIsShownButNotRegistered) {
    TSharedSettings block = kBlock;
    block.StartWithSystem = 1;
    fake::Rig rig(block);
    moduleStartup();
    TForm1& form = rig.createForm();
    form.Setvalue();
    EXPECT_TRUE(form.chksys.checked());
    EXPECT_TRUE(fake::callsStartingWith("SetRegValue").empty());
    EXPECT_TRUE(fake::callsStartingWith("DeleteRegKey").empty());
    EXPECT_TRUE(fake::storedBlocks().empty());
}

TEST_F(SystemLinks, ShortcutStepsInOrder) {
    form.chkDestop.userClick();
    form.chkDestop.userClick(); // unticking writes it again
    const Calls once = {"CoCreateInstance",
                        "QueryInterface IShellLinkW",
                        "QueryInterface IPersistFile",
                        "SetPath C:\\Program Files\\Lurio 2008\\Lurb.exe",
                        "SetArguments []",
                        "SetWorkingDirectory C:\\Program Files\\Lurio 2008\\",
                        "SetIconLocation [] 0",
                        "DesktopDirectory",
                        "Save C:\\Users\\me\\Desktop\\" LUR_PRODUCT_NAME ".lnk forget",
                        "Release IPersistFile",
                        "Release IShellLinkW",
                        "Release IUnknown"};
    Calls twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(fake::calls(), twice);
    EXPECT_EQ(rig.shell.link.held, 0);
}

struct ShortcutFailure {
    const char* name;
    std::int32_t createResult;
    bool shellLink;
    bool persistFile;
    std::string errorText;
    std::string message;
};

class ShortcutErrors : public testing::TestWithParam<ShortcutFailure> {};

TEST_P(ShortcutErrors, ReleaseWhatWasObtainedAndWriteNoFile) {
    const auto& f = GetParam();
    fake::Rig rig(kBlock);
    TForm1& form = rig.created();
    rig.shell.link.createResult = f.createResult;
    rig.shell.link.hasShellLink = f.shellLink;
    rig.shell.link.hasPersistFile = f.persistFile;
    rig.shell.errorText = f.errorText;
    try {
        form.chkDestopClick();
        FAIL() << "no error";
    } catch (const HandlerError& e) {
        EXPECT_EQ(std::string(e.what()), f.message);
    }
    EXPECT_EQ(rig.shell.link.held, 0);
    EXPECT_TRUE(fake::callsStartingWith("Save").empty());
    EXPECT_TRUE(fake::callsStartingWith("SetPath").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ShortcutErrors,
    testing::Values(ShortcutFailure{"NoClassWithText", -2147221164, true, true, "Class not registered",
                                    "Class not registered"},
                    ShortcutFailure{"NoClassNoText", -2147221164, true, true, "", "OLE error 80040154"},
                    ShortcutFailure{"NoShellLink", 0, false, true, "", "Interface not supported"},
                    ShortcutFailure{"NoPersistFile", 0, true, false, "", "Interface not supported"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SystemLinks, NoDesktopFolderWritesNoShortcut) {
    rig.shell.desktop.reset();
    form.chkDestop.userClick();
    EXPECT_TRUE(fake::callsStartingWith("Save").empty());
    EXPECT_EQ(rig.shell.link.held, 0);
}

TEST_F(SystemLinks, HelpOpensTheFileBesideTheProgram) {
    form.TntSpeedButton1Click();
    EXPECT_EQ(fake::calls(), (Calls{"ShellExecuteW 0x1234 Open C:\\Program Files\\Lurio 2008\\lurhelp.chm [] "
                                    "C:\\Program Files\\Lurio 2008 5"}));
}

TEST_F(SystemLinks, HelpFromADriveRootDoesNotDoubleTheBackslash) {
    rig.shell.exePath = "D:\\Lurb.exe";
    form.TntSpeedButton1Click();
    EXPECT_EQ(fake::calls(), (Calls{"ShellExecuteW 0x1234 Open D:\\lurhelp.chm [] D:\\ 5"}));
}

TEST_F(SystemLinks, HelpWithoutTheProgramPathOpensNothing) {
    rig.shell.exePath.reset();
    form.TntSpeedButton1Click();
    EXPECT_TRUE(fake::calls().empty());
}

// A folder name outside every ANSI code page: the program hands the engine and the shell the same
// UTF-8 text it got from Windows, and the shortcut's name arrives as the right UTF-16.
TEST_F(SystemLinks, FoldersWithVietnameseNamesReachTheEngineAndTheShellWhole) {
    rig.shell.exePath = "C:\\Users\\Nguy\xE1\xBB\x85n\\Lurio\\Lurb.exe";
    rig.shell.desktop = "C:\\Users\\Nguy\xE1\xBB\x85n\\Desktop";
    form.chksys.userClick();
    form.chkDestop.userClick();
    form.TntSpeedButton1Click();
    EXPECT_EQ(fake::callsStartingWith("SetRegValue"),
              (Calls{"SetRegValue Lurb C:\\Users\\Nguy\xE1\xBB\x85n\\Lurio\\Lurb.exe"}));
    EXPECT_EQ(fake::callsStartingWith("SetPath"),
              (Calls{"SetPath C:\\Users\\Nguy\xE1\xBB\x85n\\Lurio\\Lurb.exe"}));
    EXPECT_EQ(fake::callsStartingWith("Save"),
              (Calls{"Save C:\\Users\\Nguy\xE1\xBB\x85n\\Desktop\\" LUR_PRODUCT_NAME ".lnk forget"}));
    EXPECT_EQ(rig.shell.link.savedName, u"C:\\Users\\Nguy\u1EC5n\\Desktop\\" LUR_PRODUCT_NAME ".lnk");
    EXPECT_EQ(fake::callsStartingWith("ShellExecuteW"),
              (Calls{"ShellExecuteW 0x1234 Open C:\\Users\\Nguy\xE1\xBB\x85n\\Lurio\\lurhelp.chm [] "
                     "C:\\Users\\Nguy\xE1\xBB\x85n\\Lurio 5"}));
}

TEST(Paths, FoldersAndJoins) {
    EXPECT_EQ(lur::folderOf("C:\\Dir\\Lurb.exe"), "C:\\Dir");
    EXPECT_EQ(lur::folderOf("C:\\Lurb.exe"), "C:\\");
    EXPECT_EQ(lur::folderOf("Lurb.exe"), "");
    EXPECT_EQ(lur::workingDirectoryOf("C:\\Dir\\Lurb.exe"), "C:\\Dir\\");
    EXPECT_EQ(lur::workingDirectoryOf("C:Lurb.exe"), "C:");
    EXPECT_EQ(lur::joinPath("C:\\", "\\lurhelp.chm"), "C:\\lurhelp.chm");
    EXPECT_EQ(lur::joinPath("C:\\Dir", "\\lurhelp.chm"), "C:\\Dir\\lurhelp.chm");
    EXPECT_EQ(lur::joinPath("", "\\lurhelp.chm"), "\\lurhelp.chm");
}

TEST(ErrorBox, FullStopOnlyAfterCharactersAboveIt) {
    EXPECT_EQ(lur::errorBoxText("Interface not supported"), "Interface not supported.");
    EXPECT_EQ(lur::errorBoxText("OLE error 80040154"), "OLE error 80040154.");
    EXPECT_EQ(lur::errorBoxText("Done."), "Done.");
    EXPECT_EQ(lur::errorBoxText("Stop!"), "Stop!");
    EXPECT_EQ(lur::errorBoxText("(x)"), "(x)");
    EXPECT_EQ(lur::errorBoxText("a/"), "a/.");
    EXPECT_EQ(lur::errorBoxText(""), "");
}
