// The tray icon's record and the Vietnamese/English switch.
#include "app/typing_options.h"
#include "tests/host/support/fake_platform.h"

#include <gtest/gtest.h>

#include <cstring>

using Calls = std::vector<std::string>;

namespace {

constexpr TSharedSettings kBlock{0, 1, 1, 0, 1, 0, 0, 0, 1, 0}; // quick start on: the icon is there

struct Tray : testing::Test {
    fake::Rig rig{kBlock};
    TForm1& form = rig.created();
};

std::vector<std::uint8_t> bytesOf(const TTrayData& data) {
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&data);
    return {raw, raw + sizeof data};
}

} // namespace

TEST_F(Tray, RecordBytesAtStartAndAfterEachSwitch) {
    auto expectRecord = [](const TTrayData& d, std::uint32_t icon, const char* tip, std::uint8_t flag) {
        const auto bytes = bytesOf(d);
        EXPECT_EQ(d.cbSize, sizeof(TTrayData));
        EXPECT_EQ(d.hWnd, 0x1234u);
        EXPECT_EQ(d.uID, 1u);
        EXPECT_EQ(d.uFlags, 7u);
        EXPECT_EQ(d.uCallbackMessage, 512u);
        EXPECT_EQ(d.hIcon, icon);
        EXPECT_STREQ(d.szTip, tip);
        for (std::size_t i = offsetof(TTrayData, szTip) + std::strlen(tip); i < kTrayShellPart; ++i) {
            EXPECT_EQ(bytes[i], 0) << "tooltip padding at " << i;
        }
        EXPECT_EQ(bytes[kTrayShellPart], flag);
        for (std::size_t i = kTrayShellPart + 1; i < sizeof(TTrayData); ++i) {
            EXPECT_EQ(bytes[i], 0) << "the padding stays zero at " << i;
        }
    };
    expectRecord(TrayData, 0x71, "VietNamese", 1);
    form.FormMouseMove(514, 0);
    expectRecord(TrayData, 0xE1, "Tieng Anh", 0);
    expectRecord(rig.tray.records.back(), 0xE1, "Tieng Anh", 0);
    form.FormMouseMove(514, 0);
    expectRecord(TrayData, 0x71, "Tieng Viet", 1);
}

TEST_F(Tray, LeftClickSwitchesToEnglishAndBack) {
    form.FormMouseMove(514, 0);
    EXPECT_EQ(fake::calls(),
              (Calls{"GetCursorPos", "Shell_NotifyIconA NIM_MODIFY", "StopKeyBoardHook", "WM_NULL"}));
    EXPECT_EQ(VietMode, 0);
    EXPECT_EQ(form.pViet.ImageIndex, -1);
    EXPECT_EQ(form.pAnh.ImageIndex, 4);
    fake::clearCalls();
    form.FormMouseMove(514, 0);
    EXPECT_EQ(fake::calls(),
              (Calls{"GetCursorPos", "Shell_NotifyIconA NIM_MODIFY", "StartKeyBoardHook", "WM_NULL"}));
    EXPECT_EQ(VietMode, 1);
    EXPECT_TRUE(fake::storedBlocks().empty()) << "the mode is never stored";
}

TEST_F(Tray, LeftClickFollowsTheIconNotVietMode) {
    VietMode = 0; // out of step with the icon, which shows Vietnamese
    form.FormMouseMove(514, 0);
    EXPECT_EQ(TrayData.VietFlag, 0);
    EXPECT_EQ(fake::callsStartingWith("StopKeyBoardHook").size(), 1u);
}

TEST_F(Tray, SwitchInsideTheEngineShowsWithoutCallingIt) {
    form.TypingModeChanged(false); // Alt+Z in another window
    EXPECT_EQ(fake::calls(), Calls{"Shell_NotifyIconA NIM_MODIFY"}) << "no engine call of its own";
    EXPECT_EQ(VietMode, 0);
    EXPECT_EQ(TrayData.VietFlag, 0);
    EXPECT_EQ(TrayData.hIcon, 0xE1u);
    EXPECT_STREQ(TrayData.szTip, "Tieng Anh");
    EXPECT_EQ(form.pViet.ImageIndex, -1);
    EXPECT_EQ(form.pAnh.ImageIndex, 4);

    // The next left click goes from what the icon shows: back to Vietnamese, hook started.
    fake::clearCalls();
    form.FormMouseMove(514, 0);
    EXPECT_EQ(fake::callsStartingWith("StartKeyBoardHook").size(), 1u);
    EXPECT_EQ(TrayData.VietFlag, 1);
    EXPECT_STREQ(TrayData.szTip, "Tieng Viet");

    // The engine's notice of that same start changes nothing more.
    fake::clearCalls();
    form.TypingModeChanged(true);
    EXPECT_TRUE(fake::calls().empty());

    form.TypingModeChanged(false);
    form.TypingModeChanged(true); // Shift+Ctrl twice
    EXPECT_EQ(VietMode, 1);
    EXPECT_EQ(TrayData.hIcon, 0x71u);
    EXPECT_STREQ(TrayData.szTip, "Tieng Viet");
    EXPECT_EQ(form.pViet.ImageIndex, 3);
    EXPECT_EQ(form.pAnh.ImageIndex, -1);
}

TEST_F(Tray, SwitchInsideTheEngineWhileTheWindowShowsIsAddedAsItIs) {
    form.pCauhinhClick();
    form.TypingModeChanged(false);
    fake::clearCalls();
    form.TaskbarClick();
    EXPECT_EQ(rig.tray.records.back().VietFlag, 0);
    EXPECT_STREQ(rig.tray.records.back().szTip, "Tieng Anh");
}

TEST_F(Tray, DoubleClickEndsWhereItBegan) {
    form.FormMouseMove(514, 0);
    form.FormMouseMove(514, 0);
    EXPECT_EQ(VietMode, 1);
    EXPECT_EQ(TrayData.VietFlag, 1);
}

TEST_F(Tray, OtherMessagesOnlyReadTheCursor) {
    const TTrayData before = TrayData;
    for (int x : {512, 513, 515, 516, 518, 519, 0, 300}) {
        fake::clearCalls();
        form.FormMouseMove(x, 0);
        EXPECT_EQ(fake::calls(), (Calls{"GetCursorPos", "WM_NULL"})) << x;
    }
    EXPECT_EQ(bytesOf(TrayData), bytesOf(before));
    EXPECT_EQ(VietMode, 1);
}

TEST_F(Tray, RightClickOpensTheMenuAtTheCursor) {
    form.FormMouseMove(517, 0);
    EXPECT_EQ(fake::calls(),
              (Calls{"GetCursorPos", "SetForegroundWindow", "ProcessMessages", "Popup 100,200", "WM_NULL"}));
    EXPECT_EQ(CursorPos.x, 100);
    EXPECT_EQ(CursorPos.y, 200);
}

TEST_F(Tray, MenuSwitchRepeatsEvenWhenAlreadyOn) {
    form.pVietClick();
    form.pVietClick();
    EXPECT_EQ(fake::calls(), (Calls{"Shell_NotifyIconA NIM_MODIFY", "StartKeyBoardHook",
                                    "Shell_NotifyIconA NIM_MODIFY", "StartKeyBoardHook"}));
    fake::clearCalls();
    form.pAnhClick();
    form.pAnhClick();
    EXPECT_EQ(fake::callsStartingWith("StopKeyBoardHook").size(), 2u);
    EXPECT_STREQ(TrayData.szTip, "Tieng Anh");
    EXPECT_EQ(form.pAnh.ImageIndex, 4);
}

TEST_F(Tray, TaskBarAfterEnglishAddsTheEnglishIcon) {
    rig.window.shown = true;
    form.FormMouseMove(514, 0);
    fake::clearCalls();
    form.TaskbarClick();
    EXPECT_EQ(fake::calls(), (Calls{"WriteToFile", "StartKeyBoardHook", "SetCSet 0", "SetKMode 1",
                                    "InitVariable", "Shell_NotifyIconA NIM_ADD", "Visible 0"}));
    EXPECT_STREQ(rig.tray.records.back().szTip, "Tieng Anh");
    EXPECT_EQ(rig.tray.records.back().VietFlag, 0);
    EXPECT_EQ(VietMode, 0) << "the hook runs, but the mode still reads English";
}

TEST_F(Tray, ConfigurationShowsTheWindowAndRemovesTheIcon) {
    form.pCauhinhClick();
    EXPECT_EQ(fake::calls(), (Calls{"Visible 1", "StartKeyBoardHook", "SetCSet 0", "SetKMode 1",
                                    "InitVariable", "Shell_NotifyIconA NIM_DELETE"}));
    fake::clearCalls();
    form.pCauhinhClick();
    EXPECT_TRUE(fake::calls().empty()) << "already visible: nothing happens";
}

TEST_F(Tray, RestartedShellGetsTheIconBackOnlyWhileHidden) {
    form.FormMouseMove(514, 0);
    fake::clearCalls();
    form.TaskbarCreated();
    EXPECT_EQ(fake::calls(), (Calls{"Shell_NotifyIconA NIM_ADD"}));
    EXPECT_STREQ(rig.tray.records.back().szTip, "Tieng Anh");
    rig.window.shown = true;
    fake::clearCalls();
    form.TaskbarCreated();
    EXPECT_TRUE(fake::calls().empty());
}
