// Start-up, the single instance and the three ways out.
#include "app/typing_options.h"
#include "tests/host/support/fake_platform.h"

#include <gtest/gtest.h>

using fake::calls;
using Calls = std::vector<std::string>;

namespace {

constexpr TSharedSettings kTelexBlock{0, 1, 1, 0, 1, 0, 0, 0, 0, 0};
const std::string kFont = "C:\\WINDOWS\\FONTS\\LurTahoma.ttf";

Calls setvalueTail(int keyMode) {
    return {"StartKeyBoardHook", "SetCSet 0", "SetKMode " + std::to_string(keyMode), "InitVariable"};
}

Calls concat(std::initializer_list<Calls> parts) {
    Calls all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

} // namespace

TEST(Startup, WindowShownRunsSetvalueTwiceAndCloseBoxStoresNothing) {
    fake::Rig rig(kTelexBlock);
    rig.system.loop = [&] { rig.window.close(); };
    EXPECT_EQ(runProgram(rig.system, rig), 0);

    const Calls expected = concat({
        {"CreateMailslotA", "CoInitialize", "ToolWindowStyle", "SetPriorityClass 256",
         "SetThreadPriority 15"},
        {"AddFontResourceA " + kFont, "WM_FONTCHANGE", "Height 305", "Width 390", "GetSharedData"},
        {"SetKMode 1", "SetBDau 0"},
        setvalueTail(1),
        {"Visible 1"},
        setvalueTail(1),
        {"MessageLoop", "Close", "Shell_NotifyIconA NIM_DELETE", "RemoveFontResourceA " + kFont,
         "WM_FONTCHANGE", "StopKeyBoardHook"},
        {"CoUninitialize", "StopKeyBoardHook", "RemoveFontResourceA " + kFont, "WM_FONTCHANGE"},
    });
    EXPECT_EQ(calls(), expected);
    EXPECT_TRUE(fake::storedBlocks().empty());
    EXPECT_EQ(TypingOptions, nullptr) << "module shutdown frees the typing options";
}

TEST(Startup, QuickStartAddsTheIconAndShowsNoWindow) {
    TSharedSettings block = kTelexBlock;
    block.QuickStart = 1;
    fake::Rig rig(block);
    bool quickStartSurvivedLoading = false;
    rig.system.loop = [&] {
        quickStartSurvivedLoading = fake::engineBlock().QuickStart != 0;
        rig.form->pThoatClick();
    };
    runProgram(rig.system, rig);

    EXPECT_TRUE(quickStartSurvivedLoading);
    EXPECT_EQ(fake::callsStartingWith("StartKeyBoardHook").size(), 1u) << "Setvalue runs once";
    EXPECT_EQ(fake::callsStartingWith("Shell_NotifyIconA NIM_ADD").size(), 1u);
    EXPECT_EQ(fake::callsStartingWith("Visible").front(), "Visible 0");
    ASSERT_FALSE(rig.tray.records.empty());
    EXPECT_EQ(rig.tray.records.front().VietFlag, 1);
    EXPECT_STREQ(rig.tray.records.front().szTip, "VietNamese");
    EXPECT_TRUE(fake::storedBlocks().empty()) << "the menu's Exit stores nothing";
    EXPECT_EQ(fake::callsStartingWith("StopKeyBoardHook").size(), 3u);
    EXPECT_EQ(fake::callsStartingWith("Shell_NotifyIconA NIM_DELETE").size(), 2u);
}

TEST(Startup, SecondCopyTouchesNothing) {
    fake::Rig rig(kTelexBlock);
    rig.system.mailslotFree = false;
    EXPECT_EQ(runProgram(rig.system, rig), 0);
    EXPECT_EQ(calls(), (Calls{"CreateMailslotA", "SecondCopyNotice"}));
    EXPECT_EQ(TypingOptions, nullptr);
}

TEST(Startup, FailedComIsNotUninitialised) {
    fake::Rig rig(kTelexBlock);
    rig.system.comOk = false;
    rig.system.loop = [&] { rig.window.close(); };
    runProgram(rig.system, rig);
    EXPECT_TRUE(fake::callsStartingWith("CoUninitialize").empty());
}

TEST(Startup, UnreadableWindowsDirectoryLeavesTheBareFontPath) {
    fake::Rig rig(kTelexBlock);
    rig.system.windowsDir.reset();
    rig.system.loop = [&] { rig.window.close(); };
    runProgram(rig.system, rig);
    EXPECT_EQ(fake::callsStartingWith("AddFontResourceA"),
              (Calls{"AddFontResourceA \\FONTS\\LurTahoma.ttf"}));
}

TEST(Exit, ExitButtonStoresOnceAndStopsTheHookThreeTimes) {
    fake::Rig rig(kTelexBlock);
    rig.system.loop = [&] {
        rig.form->Mold.userClick(); // a change with no handler of its own
        fake::clearCalls();
        rig.form->CmdThoatClick();
    };
    runProgram(rig.system, rig);

    const Calls expected = {"WriteToFile",
                            "StopKeyBoardHook",
                            "Shell_NotifyIconA NIM_DELETE",
                            "Close",
                            "Shell_NotifyIconA NIM_DELETE",
                            "RemoveFontResourceA " + kFont,
                            "WM_FONTCHANGE",
                            "StopKeyBoardHook",
                            "CoUninitialize",
                            "StopKeyBoardHook",
                            "RemoveFontResourceA " + kFont,
                            "WM_FONTCHANGE"};
    EXPECT_EQ(calls(), expected);
    ASSERT_EQ(fake::storedBlocks().size(), 1u);
    EXPECT_EQ(fake::storedBlocks()[0].SpellCheck, 0) << "the Exit button copies the controls first";
}

TEST(Exit, CloseBoxLosesAnUnstoredChange) {
    fake::Rig rig(kTelexBlock);
    rig.system.loop = [&] {
        rig.form->cKey.userPick(1);
        rig.window.close();
    };
    runProgram(rig.system, rig);
    EXPECT_EQ(fake::engineBlock().SwitchKey, 0);
    EXPECT_TRUE(fake::storedBlocks().empty());
    EXPECT_EQ(fake::callsStartingWith("StopKeyBoardHook").size(), 2u);
    EXPECT_EQ(fake::callsStartingWith("RemoveFontResourceA").size(), 2u);
}
