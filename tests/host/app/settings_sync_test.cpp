// Loading the controls from the block, and copying them back.
#include "app/typing_options.h"
#include "tests/host/support/fake_platform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using Calls = std::vector<std::string>;

namespace {

TSharedSettings block(std::uint8_t vni, std::uint8_t telex) {
    return TSharedSettings{vni, telex, 1, 0, 1, 0, 0, 0, 0, 0};
}

// Module start-up and FormCreate, keeping the calls FormCreate's Setvalue made to the engine.
Calls engineCallsAtCreation(fake::Rig& rig) {
    moduleStartup();
    rig.createForm();
    Calls engine;
    bool afterGetShared = false;
    for (const auto& call : fake::calls()) {
        if (afterGetShared) {
            engine.push_back(call);
        }
        afterGetShared = afterGetShared || call == "GetSharedData";
    }
    return engine;
}

} // namespace

struct CreationCase {
    const char* name;
    std::uint8_t vni;
    std::uint8_t telex;
    Calls engine;
    bool vniTicked;
    bool telexTicked;
    int method;
};

class SetvalueAtCreation : public testing::TestWithParam<CreationCase> {};

TEST_P(SetvalueAtCreation, TicksTheMethodAndHandsItOver) {
    const auto& c = GetParam();
    fake::Rig rig(block(c.vni, c.telex));
    EXPECT_EQ(engineCallsAtCreation(rig), c.engine);
    TForm1& form = *rig.form;
    EXPECT_EQ(form.VNI.checked(), c.vniTicked);
    EXPECT_EQ(form.TELEX.checked(), c.telexTicked);
    EXPECT_EQ(form.CboMethod.itemIndex(), c.method);
    EXPECT_TRUE(form.MFree.checked());
    EXPECT_FALSE(form.MOWEL.checked());
    EXPECT_TRUE(form.Mold.checked());
    EXPECT_TRUE(fake::storedBlocks().empty());
}

INSTANTIATE_TEST_SUITE_P(Blocks, SetvalueAtCreation,
                         testing::Values(CreationCase{"Vni",
                                                      1,
                                                      0,
                                                      {"SetKMode 0", "SetBDau 0", "StartKeyBoardHook",
                                                       "SetCSet 0", "SetKMode 0", "InitVariable"},
                                                      true,
                                                      false,
                                                      0},
                                         CreationCase{"Telex",
                                                      0,
                                                      1,
                                                      {"SetKMode 1", "SetBDau 0", "StartKeyBoardHook",
                                                       "SetCSet 0", "SetKMode 1", "InitVariable"},
                                                      false,
                                                      true,
                                                      1},
                                         CreationCase{"BothTelexWins",
                                                      1,
                                                      1,
                                                      {"SetKMode 0", "SetKMode 1", "SetBDau 0",
                                                       "StartKeyBoardHook", "SetCSet 0", "SetKMode 1",
                                                       "InitVariable"},
                                                      false,
                                                      true,
                                                      1},
                                         CreationCase{"Neither",
                                                      0,
                                                      0,
                                                      {"SetBDau 0", "StartKeyBoardHook", "SetCSet 0",
                                                       "SetKMode 0", "InitVariable"},
                                                      false,
                                                      false,
                                                      -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SetvalueLater, RuleTwoBecomesOne) {
    fake::Rig rig(block(1, 0));
    TForm1& form = rig.created();
    form.MFree.userClick(); // neither box ticked: rule 2
    EXPECT_EQ(TypingOptions->GetToneRule(), 2);
    fake::clearCalls();
    form.Setvalue();
    EXPECT_EQ(TypingOptions->GetToneRule(), 1);
    EXPECT_TRUE(form.MOWEL.checked());
    EXPECT_FALSE(form.MFree.checked());
    EXPECT_EQ(fake::calls(),
              (Calls{"SetBDau 1", "StartKeyBoardHook", "SetCSet 0", "SetKMode 0", "InitVariable"}));
}

TEST(SetvalueLater, BothBoxesTickedUnticksAfterVowel) {
    fake::Rig rig(block(1, 0));
    TForm1& form = rig.created();
    form.MOWEL.userClick();
    ASSERT_TRUE(form.MFree.checked() && form.MOWEL.checked());
    fake::clearCalls();
    fake::storedBlocks().clear();
    form.Setvalue();
    EXPECT_FALSE(form.MOWEL.checked());
    EXPECT_TRUE(form.MFree.checked());
    EXPECT_EQ(fake::calls().front(), "SetBDau 0");
    EXPECT_TRUE(fake::storedBlocks().empty());
}

TEST(SetvalueLater, MenuChangedMethodMovesTheList) {
    fake::Rig rig(block(1, 0));
    TForm1& form = rig.created();
    fake::engineBlock().UseVni = 0;
    fake::engineBlock().UseTelex = 1;
    form.Setvalue();
    EXPECT_TRUE(form.TELEX.checked());
    EXPECT_EQ(form.CboMethod.itemIndex(), 1);
    EXPECT_EQ(TypingOptions->GetKeyMode(), 1);
}

// Any block: loading stores nothing, and the tone boxes and the one rule handed over follow the stored
// boxes (free placement wins; otherwise the load ticks "after the vowel").
TEST(SetvalueLoading, StoresNothingAndBringsBackTheToneRuleForAnyBlock) {
    std::mt19937 random(2008);
    for (int round = 0; round < 3000; ++round) {
        TSharedSettings seeded{};
        auto* raw = reinterpret_cast<std::uint8_t*>(&seeded);
        for (std::size_t i = 0; i < sizeof seeded; ++i) {
            // Mostly the values the program writes, sometimes anything.
            raw[i] = static_cast<std::uint8_t>(random() % 4 == 0 ? random() % 256 : random() % 3);
        }
        fake::Rig rig(seeded);
        moduleStartup();
        rig.createForm();
        const std::uint8_t rule = seeded.FreeTone != 0 ? 0 : 1;
        ASSERT_EQ(rig.form->MFree.checked(), rule == 0) << "round " << round;
        ASSERT_EQ(rig.form->MOWEL.checked(), rule == 1) << "round " << round;
        ASSERT_EQ(TypingOptions->GetToneRule(), rule) << "round " << round;
        rig.form->Setvalue();
        ASSERT_EQ(fake::callsStartingWith("SetBDau"), Calls{"SetBDau " + std::to_string(rule)})
            << "round " << round;
        ASSERT_EQ(std::memcmp(&fake::engineBlock(), &seeded, sizeof seeded), 0) << "round " << round;
        ASSERT_TRUE(fake::storedBlocks().empty()) << "round " << round;
        ASSERT_TRUE(fake::callsStartingWith("SetRegValue").empty());
        ASSERT_TRUE(fake::callsStartingWith("DeleteRegKey").empty());
    }
}

namespace {

struct ToneState {
    bool mowel;
    bool mfree;
    int rule;
    std::string lastHandedOver;
};

ToneState toneState(const TForm1& form) {
    const Calls handed = fake::callsStartingWith("SetBDau");
    return {form.MOWEL.checked(), form.MFree.checked(), TypingOptions->GetToneRule(),
            handed.empty() ? std::string() : handed.back()};
}

bool operator==(const ToneState& a, const ToneState& b) {
    return a.mowel == b.mowel && a.mfree == b.mfree && a.rule == b.rule &&
           a.lastHandedOver == b.lastHandedOver;
}

std::ostream& operator<<(std::ostream& out, const ToneState& s) {
    return out << "MOWEL " << s.mowel << " MFree " << s.mfree << " rule " << s.rule << " last '"
               << s.lastHandedOver << "'";
}

} // namespace

TEST(ToneRuleAcrossRestart, AfterVowelChosenInTheWindowComesBack) {
    TSharedSettings stored{};
    {
        fake::Rig rig(block(0, 1));
        TForm1& form = rig.created();
        form.MOWEL.userClick();
        form.MFree.userClick();
        form.TaskbarClick();
        ASSERT_FALSE(fake::storedBlocks().empty());
        stored = fake::storedBlocks().back();
    }
    EXPECT_EQ(stored.ToneAfterVowel, 1);
    EXPECT_EQ(stored.FreeTone, 0);

    fake::Rig rig(stored);
    const Calls engine = engineCallsAtCreation(rig);
    TForm1& form = *rig.form;
    EXPECT_EQ(engine, (Calls{"SetKMode 1", "SetBDau 1", "StartKeyBoardHook", "SetCSet 0", "SetKMode 1",
                             "InitVariable"}));
    EXPECT_TRUE(form.MOWEL.checked());
    EXPECT_FALSE(form.MFree.checked());
    // The next store keeps the choice instead of overwriting it with free placement.
    fake::storedBlocks().clear();
    form.TaskbarClick();
    ASSERT_EQ(fake::storedBlocks().size(), 1u);
    EXPECT_EQ(fake::storedBlocks()[0].ToneAfterVowel, 1);
    EXPECT_EQ(fake::storedBlocks()[0].FreeTone, 0);
    EXPECT_EQ(TypingOptions->GetToneRule(), 1);
}

// Random clicks on the tone boxes, then TaskBar, then a new start from what TaskBar stored: the new
// start shows the boxes, keeps the rule and has handed the engine the rule that the running program
// showed and had handed over after TaskBar.
TEST(ToneRuleAcrossRestart, RandomChoicesStoredWithTaskBarComeBack) {
    std::mt19937 random(16);
    for (int round = 0; round < 500; ++round) {
        TSharedSettings seeded = block(static_cast<std::uint8_t>(random() % 2), 1);
        seeded.ToneAfterVowel = static_cast<std::uint8_t>(random() % 2);
        seeded.FreeTone = static_cast<std::uint8_t>(random() % 2);
        TSharedSettings stored{};
        ToneState before{};
        {
            fake::Rig rig(seeded);
            moduleStartup();
            TForm1& form = rig.createForm();
            const int clicks = static_cast<int>(random() % 6);
            for (int i = 0; i < clicks; ++i) {
                (random() % 2 == 0 ? form.MOWEL : form.MFree).userClick();
            }
            form.TaskbarClick();
            ASSERT_FALSE(fake::storedBlocks().empty()) << "round " << round;
            stored = fake::storedBlocks().back();
            before = toneState(form);
        }
        fake::Rig rig(stored);
        moduleStartup();
        TForm1& form = rig.createForm();
        ASSERT_EQ(toneState(form), before) << "round " << round;
        ASSERT_TRUE(fake::storedBlocks().empty()) << "round " << round;
    }
}

TEST(SetvalueLoading, ListBytesOutOfRangeLeaveNoSelectionAndStore255) {
    TSharedSettings seeded = block(0, 1);
    seeded.CodeTable = 7;
    seeded.SwitchKey = 200;
    fake::Rig rig(seeded);
    TForm1& form = rig.created();
    EXPECT_EQ(form.TbCode.itemIndex(), -1);
    EXPECT_EQ(form.cKey.itemIndex(), -1);
    EXPECT_EQ(TypingOptions->CharSet, 0) << "CharSet keeps its value";
    seeded.Reserved = 0x5A;
    fake::engineBlock().Reserved = 0x5A;
    form.UpdateData();
    ASSERT_EQ(fake::storedBlocks().size(), 1u);
    EXPECT_EQ(fake::storedBlocks()[0].CodeTable, 255);
    EXPECT_EQ(fake::storedBlocks()[0].SwitchKey, 255);
    EXPECT_EQ(fake::storedBlocks()[0].Reserved, 0x5A) << "byte 5 is never written";
}

TEST(UpdateData, CopiesEveryControlAndCallsOnlyWriteToFile) {
    fake::Rig rig(block(1, 0));
    TForm1& form = rig.created();
    form.TELEX.setChecked(true);
    form.Mold.setChecked(false);
    form.MOWEL.setChecked(true);
    form.chksys.setChecked(true);
    form.ChkQuick.setChecked(true);
    form.cKey.select(1);
    form.TbCode.select(2);
    fake::clearCalls();
    fake::storedBlocks().clear();
    form.UpdateData();
    EXPECT_EQ(fake::calls(), (Calls{"WriteToFile"}));
    const TSharedSettings& b = fake::engineBlock();
    EXPECT_EQ((std::vector<int>{b.UseVni, b.UseTelex, b.SpellCheck, b.ToneAfterVowel, b.FreeTone, b.CodeTable,
                                b.StartWithSystem, b.QuickStart, b.SwitchKey}),
              (std::vector<int>{0, 1, 0, 1, 1, 2, 1, 1, 1}));
}
