// The tray menu: its marks, its commands and the drawing of each item.
#include "app/typing_options.h"
#include "tests/host/support/fake_platform.h"

#include <gtest/gtest.h>

using Calls = std::vector<std::string>;

namespace {

constexpr TSharedSettings kBlock{0, 1, 1, 0, 1, 0, 0, 0, 1, 0};

struct Menu : testing::Test {
    fake::Rig rig{kBlock};
    TForm1& form = rig.created();

    std::vector<int> imageIndices() {
        return {form.pVni.ImageIndex,   form.pTelex.ImageIndex, form.pUni.ImageIndex, form.pTCVN.ImageIndex,
                form.pVniTN.ImageIndex, form.pViet.ImageIndex,  form.pAnh.ImageIndex};
    }
    std::vector<int> tags() {
        return {form.pVni.Tag,   form.pTelex.Tag, form.pUni.Tag, form.pTCVN.Tag,
                form.pVniTN.Tag, form.pViet.Tag,  form.pAnh.Tag};
    }
};

struct Op {
    std::string what;
    int a, b, c, d;
    bool operator==(const Op&) const = default;
};

struct RecordingCanvas : lur::MenuCanvas {
    std::vector<Op> ops;
    void setFont(const std::string& face, int points) override {
        ops.push_back({"font " + face, points, 0, 0, 0});
    }
    void fillRect(const lur::Rect& r, int color) override {
        ops.push_back({"fill " + std::to_string(color), r.left, r.top, r.right, r.bottom});
    }
    void copySidebar(int sx, int sy, int w, int h, int dx, int dy) override {
        ops.push_back({"strip " + std::to_string(dx) + "," + std::to_string(dy), sx, sy, w, h});
    }
    void frameRect(const lur::Rect& r, std::uint32_t rgb) override {
        ops.push_back({"frame " + std::to_string(rgb), r.left, r.top, r.right, r.bottom});
    }
    std::uint32_t sysColor(int index) override { return 0x808080u + static_cast<std::uint32_t>(index); }
    void drawPicture(int index, int x, int y) override { ops.push_back({"picture", index, x, y, 0}); }
    void textOut(int x, int y, const std::string& text) override {
        ops.push_back({"text " + text, x, y, 0, 0});
    }
    std::string toAnsi(const std::u16string& text) override { return fake::narrow(text); }
};

} // namespace

TEST_F(Menu, ItemsInDisplayOrder) {
    std::string captions;
    for (TMenuItem* item : form.menuItems()) {
        captions += fake::narrow(item->Caption) + "|";
    }
    EXPECT_EQ(captions, "Exit|Help|Configuration|-|Vni Input Method|Telex Input Method|-|Unicode Code Table|"
                        "TCVN3 Code Table|Vni Code Table|-|VietNamese|English|");
    EXPECT_EQ(form.pHelp.OnClick, nullptr) << "Help does nothing";
}

TEST_F(Menu, ReSetPictureTable) {
    form.ReSetPicture(2, 1, 1, 0);
    EXPECT_EQ(imageIndices(), (std::vector<int>{-1, 5, -1, -1, 5, -1, 4})) << "Telex wins the image index";
    form.ReSetPicture(9, 0, 0, 7);
    EXPECT_EQ(imageIndices(), (std::vector<int>{-1, 5, -1, -1, 5, -1, 4}))
        << "out-of-range values change nothing";
    form.ReSetPicture(0, 1, 0, 1);
    EXPECT_EQ(imageIndices(), (std::vector<int>{5, -1, 5, -1, -1, 3, -1}));
}

TEST_F(Menu, ReSetTagsFollowsTheBlockAtThatMoment) {
    fake::engineBlock().UseVni = 1;
    fake::engineBlock().UseTelex = 1;
    fake::engineBlock().CodeTable = 1;
    form.ReSetTags();
    EXPECT_EQ(tags(), (std::vector<int>{5, 5, -1, 5, -1, 3, -1})) << "tags mark both methods";
    EXPECT_EQ(fake::calls(), (Calls{"GetSharedData"}));
    fake::engineBlock().CodeTable = 3;
    fake::engineBlock().UseVni = 0;
    VietMode = 0;
    form.ReSetTags();
    EXPECT_EQ(tags(), (std::vector<int>{-1, 5, -1, 5, -1, -1, 4}));
    for (TMenuItem* separator : {&form.N1, &form.N2, &form.N3}) {
        EXPECT_EQ(separator->Tag, 0);
        EXPECT_EQ(separator->ImageIndex, -1);
    }
}

TEST_F(Menu, CodeTableOutOfRangeAtStartMarksNoTable) {
    TSharedSettings block = kBlock;
    block.CodeTable = 5;
    fake::Rig other(block);
    TForm1& f = other.created();
    EXPECT_EQ(f.pUni.ImageIndex, -1);
    EXPECT_EQ(f.pTCVN.ImageIndex, -1);
    EXPECT_EQ(f.pVniTN.ImageIndex, -1);
}

struct CommandCase {
    const char* name;
    void (TForm1::*command)();
    Calls calls;
    std::uint8_t vni, telex, table;
};

class MenuCommands : public testing::TestWithParam<CommandCase> {};

TEST_P(MenuCommands, StoreFirstThenCallTheEngine) {
    const auto& c = GetParam();
    fake::Rig rig(kBlock);
    TForm1& form = rig.created();
    (form.*c.command)();
    (form.*c.command)(); // the current choice again repeats every step
    Calls twice = c.calls;
    twice.insert(twice.end(), c.calls.begin(), c.calls.end());
    EXPECT_EQ(fake::calls(), twice);
    const TSharedSettings& b = fake::engineBlock();
    EXPECT_EQ((std::vector<int>{b.UseVni, b.UseTelex, b.CodeTable}),
              (std::vector<int>{c.vni, c.telex, c.table}));
}

INSTANTIATE_TEST_SUITE_P(
    All, MenuCommands,
    testing::Values(CommandCase{"Vni", &TForm1::pVniClick, {"WriteToFile", "SetKMode 0"}, 1, 0, 0},
                    CommandCase{"Telex", &TForm1::pTelexClick, {"WriteToFile", "SetKMode 1"}, 0, 1, 0},
                    CommandCase{"Unicode", &TForm1::pUniClick, {"WriteToFile", "SetCSet 0"}, 0, 1, 0},
                    CommandCase{"Tcvn3",
                                &TForm1::pTCVNClick,
                                {"WriteToFile", "StartKeyBoardHook", "SetCSet 1", "SetKMode 1",
                                 "InitVariable", "SetCSet 1"},
                                0,
                                1,
                                1},
                    CommandCase{"VniWindows",
                                &TForm1::pVniTNClick,
                                {"WriteToFile", "StartKeyBoardHook", "SetCSet 2", "SetKMode 1",
                                 "InitVariable", "SetCSet 2"},
                                0,
                                1,
                                2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Menu, Tcvn3WhileEnglishStartsTheHookButKeepsTheMode) {
    form.pAnhClick();
    fake::clearCalls();
    form.pUniClick();
    EXPECT_TRUE(fake::callsStartingWith("StartKeyBoardHook").empty());
    form.pTCVNClick();
    EXPECT_EQ(fake::callsStartingWith("StartKeyBoardHook").size(), 1u);
    EXPECT_EQ(VietMode, 0);
    EXPECT_EQ(TrayData.VietFlag, 0);
    EXPECT_EQ(form.TbCode.itemIndex(), 1) << "the window's list follows the block";
}

TEST_F(Menu, ItemSizes) {
    for (TMenuItem* item : form.menuItems()) {
        if (!item->Measured) {
            continue;
        }
        int width = 0, height = 0;
        form.MenuMeaseItem(*item, width, height);
        EXPECT_EQ(width, 160);
        EXPECT_EQ(height, 24);
    }
    int measured = 0;
    for (TMenuItem* item : form.menuItems()) {
        measured += item->Measured ? 1 : 0;
    }
    EXPECT_EQ(measured, 10);
}

TEST_F(Menu, DrawingAnItem) {
    RecordingCanvas canvas;
    fake::clearCalls();
    form.MenuDrawItem(form.pTelex, canvas, {0, 48, 160, 72}, true);
    EXPECT_EQ(canvas.ops, (std::vector<Op>{{"font Tahoma", 8, 0, 0, 0},
                                           {"fill 13", 0, 48, 160, 72},
                                           {"strip 0,48", 0, 58, 28, 24},
                                           {"picture", 5, 29, 49, 0},
                                           {"text Telex Input Method", 59, 49, 0, 0}}));
    EXPECT_EQ(fake::calls(), (Calls{"GetSharedData"})) << "tags are refreshed before the picture is chosen";
}

TEST_F(Menu, UnmarkedItemKeepsItsCaptionColumn) {
    RecordingCanvas canvas;
    form.MenuDrawItem(form.pVni, canvas, {0, 24, 160, 48}, false);
    EXPECT_EQ(canvas.ops[1].what, "fill 15");
    EXPECT_EQ(canvas.ops.size(), 4u) << "no picture for tag -1";
    EXPECT_EQ(canvas.ops[3], (Op{"text Vni Input Method", 59, 25, 0, 0}));
}

TEST_F(Menu, SeparatorLines) {
    RecordingCanvas canvas;
    fake::clearCalls();
    form.MenuDrawItem(form.N1, canvas, {0, 72, 160, 80}, false);
    EXPECT_EQ(canvas.ops, (std::vector<Op>{{"font Tahoma", 8, 0, 0, 0},
                                           {"fill 15", 0, 72, 160, 80},
                                           {"strip 0,72", 0, 82, 28, 24},
                                           {"frame " + std::to_string(0x808080 + 16), 28, 73, 160, 74},
                                           {"frame " + std::to_string(0xFFFFFF), 28, 74, 160, 75}}));
    EXPECT_TRUE(fake::calls().empty()) << "separators take no tags";
}

TEST_F(Menu, OnlyExactDashIsASeparator) {
    for (const char16_t* caption : {u"--", u"- "}) {
        TMenuItem item{"x", caption, -1, -1, nullptr, true};
        RecordingCanvas canvas;
        form.MenuDrawItem(item, canvas, {0, 0, 160, 24}, false);
        EXPECT_EQ(canvas.ops.back().what, "text " + fake::narrow(caption));
    }
}

TEST_F(Menu, StripIsOneContinuousPictureDownTheMenu) {
    // Lay the menu out as the menu system does and check which bitmap row lands on each menu row.
    std::vector<int> bitmapRowOfMenuRow(400, -1);
    int top = 0;
    for (TMenuItem* item : form.menuItems()) {
        const int height = item->Measured ? 24 : 8;
        RecordingCanvas canvas;
        form.MenuDrawItem(*item, canvas, {0, top, 160, top + height}, false);
        const Op& strip = canvas.ops[2];
        for (int row = 0; row < strip.d; ++row) {
            bitmapRowOfMenuRow[top + row] = strip.b + row; // later items paint over earlier overhang
        }
        top += height;
    }
    EXPECT_EQ(top, 264);
    for (int y = 0; y < top; ++y) {
        ASSERT_EQ(bitmapRowOfMenuRow[y], y + 10) << "menu row " << y;
    }
    EXPECT_LE(top - 1 + 10, 281) << "the bitmap's 282 rows cover the menu";
}
