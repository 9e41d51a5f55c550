// The window's choice controls: what each hands to the engine and what it stores.
#include "app/typing_options.h"
#include "tests/host/support/fake_platform.h"

#include <gtest/gtest.h>

using Calls = std::vector<std::string>;

namespace {

constexpr TSharedSettings kVniBlock{1, 0, 1, 0, 1, 0, 0, 0, 0, 0};

struct ConfigHandlers : testing::Test {
    fake::Rig rig{kVniBlock};
    TForm1& form = rig.created();
};

} // namespace

TEST_F(ConfigHandlers, PickingTelexWhileVniIsTickedSwitchesBothControls) {
    form.CboMethod.userPick(1);
    EXPECT_EQ(fake::calls(), (Calls{"SetKMode 1", "SetKMode 1", "WriteToFile"}));
    EXPECT_TRUE(form.TELEX.checked());
    EXPECT_FALSE(form.VNI.checked());
    EXPECT_EQ(TypingOptions->GetKeyMode(), 1);
    ASSERT_EQ(fake::storedBlocks().size(), 1u);
    EXPECT_EQ(fake::storedBlocks()[0].UseVni, 0);
    EXPECT_EQ(fake::storedBlocks()[0].UseTelex, 1);
}

TEST_F(ConfigHandlers, PickingTheTickedMethodStoresNothing) {
    form.CboMethod.userPick(0);
    EXPECT_EQ(fake::calls(), (Calls{"SetKMode 0"}));
    EXPECT_TRUE(fake::storedBlocks().empty());
}

TEST_F(ConfigHandlers, ClickingTheTickedRadioButtonDoesNothing) {
    form.VNI.userClick();
    EXPECT_TRUE(fake::calls().empty());
}

TEST_F(ConfigHandlers, TickingVniMovesTheListWithoutItsHandler) {
    form.TELEX.userClick();
    fake::clearCalls();
    form.VNI.userClick();
    EXPECT_EQ(form.CboMethod.itemIndex(), 0);
    EXPECT_EQ(fake::calls(), (Calls{"SetKMode 0", "WriteToFile"}));
}

TEST_F(ConfigHandlers, NewCodeTableReachesTheEngineBeforeItIsStored) {
    form.TbCode.userPick(1);
    EXPECT_EQ(fake::calls(), (Calls{"SetCSet 1", "InitVariable", "WriteToFile"}));
    EXPECT_EQ(fake::engineBlock().CodeTable, 1);
}

TEST_F(ConfigHandlers, ToneBoxesGiveTheRule) {
    form.MOWEL.userClick(); // both ticked
    EXPECT_EQ(TypingOptions->GetToneRule(), 0);
    form.MFree.userClick(); // only after-vowel
    EXPECT_EQ(TypingOptions->GetToneRule(), 1);
    form.MOWEL.userClick(); // neither
    EXPECT_EQ(TypingOptions->GetToneRule(), 2);
    EXPECT_EQ(fake::callsStartingWith("SetBDau"), (Calls{"SetBDau 0", "SetBDau 1", "SetBDau 2"}));
    EXPECT_EQ(fake::storedBlocks().size(), 3u);
    EXPECT_EQ(fake::engineBlock().ToneAfterVowel, 0);
    EXPECT_EQ(fake::engineBlock().FreeTone, 0);
}

TEST_F(ConfigHandlers, QuickStartStoresOnlyItsOwnByte) {
    form.Mold.userClick(); // spelling check off, not stored yet
    form.cKey.userPick(1); // switch key, not stored yet
    form.ChkQuick.userClick();
    EXPECT_EQ(fake::calls(), (Calls{"WriteToFile"}));
    EXPECT_EQ(fake::engineBlock().QuickStart, 1);
    EXPECT_EQ(fake::engineBlock().SpellCheck, 1);
    EXPECT_EQ(fake::engineBlock().SwitchKey, 0);
}

TEST_F(ConfigHandlers, SpellingCheckAndSwitchKeyWaitForTheNextStore) {
    form.Mold.userClick();
    form.cKey.userPick(1);
    EXPECT_TRUE(fake::storedBlocks().empty());
    form.TbCode.userPick(0);
    ASSERT_EQ(fake::storedBlocks().size(), 1u);
    EXPECT_EQ(fake::storedBlocks()[0].SpellCheck, 0);
    EXPECT_EQ(fake::storedBlocks()[0].SwitchKey, 1);
}
