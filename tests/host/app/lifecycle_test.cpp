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

// A Telex block without quick start: the window is shown, then closed with its close box.
Calls shownThenClosed(int toneRuleHandedOver) {
    return concat({
        {"CreateMailslotA", "CoInitialize", "ToolWindowStyle", "SetPriorityClass 256",
         "SetThreadPriority 15"},
        {"AddFontResourceA " + kFont, "WM_FONTCHANGE", "Height 305", "Width 390", "GetSharedData"},
        {"SetKMode 1", "SetBDau " + std::to_string(toneRuleHandedOver)},
        setvalueTail(1),
        {"Visible 1"},
        setvalueTail(1),
        {"MessageLoop", "Close", "Shell_NotifyIconA NIM_DELETE", "RemoveFontResourceA " + kFont,
         "WM_FONTCHANGE", "StopKeyBoardHook"},
        {"CoUninitialize", "StopKeyBoardHook", "RemoveFontResourceA " + kFont, "WM_FONTCHANGE"},
    });
}

} // namespace

TEST(Startup, WindowShownRunsSetvalueTwiceAndCloseBoxStoresNothing) {
    fake::Rig rig(kTelexBlock);
    rig.system.loop = [&] { rig.window.close(); };
    EXPECT_EQ(runProgram(rig.system, rig), 0);

    const Calls expected = shownThenClosed(0);
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

// The stored tone boxes at start: the whole start-up with the window shown, for each way the two bytes
// can be stored. Only the tone rule handed over at the first load may differ from the defaults' start.
struct StoredTone {
    const char* name;
    std::uint8_t afterVowel; // byte 3
    std::uint8_t free;       // byte 4
    int handedOver;          // the one SetBDau of the start
    bool mowelShown;
    bool mfreeShown;
};

class StartWithStoredTone : public testing::TestWithParam<StoredTone> {};

TEST_P(StartWithStoredTone, ShowsTheStoredRuleAndHandsItOverOnce) {
    const StoredTone& c = GetParam();
    TSharedSettings block = kTelexBlock;
    block.ToneAfterVowel = c.afterVowel;
    block.FreeTone = c.free;
    fake::Rig rig(block);
    bool mowel = false;
    bool mfree = false;
    int rule = -1;
    rig.system.loop = [&] {
        mowel = rig.form->MOWEL.checked();
        mfree = rig.form->MFree.checked();
        rule = TypingOptions->GetToneRule();
        rig.window.close();
    };
    runProgram(rig.system, rig);

    const Calls expected = shownThenClosed(c.handedOver);
    EXPECT_EQ(calls(), expected);
    EXPECT_EQ(mowel, c.mowelShown);
    EXPECT_EQ(mfree, c.mfreeShown);
    EXPECT_EQ(rule, c.handedOver) << "the rule kept is the one the engine got";
    EXPECT_TRUE(fake::storedBlocks().empty());
    EXPECT_EQ(fake::engineBlock().ToneAfterVowel, c.afterVowel) << "loading leaves the stored boxes";
    EXPECT_EQ(fake::engineBlock().FreeTone, c.free);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, StartWithStoredTone,
    testing::Values(StoredTone{"FreeAloneAsByDefault", 0, 1, 0, false, true},
                    StoredTone{"BothFreeWins", 1, 1, 0, false, true},
                    StoredTone{"AfterVowelAlone", 1, 0, 1, true, false},
                    // Neither box: the load ticks "after the vowel", as every later load does.
                    StoredTone{"NeitherBecomesAfterVowel", 0, 0, 1, true, false},
                    StoredTone{"AnyNonZeroByteCounts", 7, 0, 1, true, false},
                    StoredTone{"AnyNonZeroFreeByteCounts", 200, 2, 0, false, true}),
    [](const auto& info) { return std::string(info.param.name); });
