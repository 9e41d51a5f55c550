// The tray menu's marks and its input-method and code-table commands.
#include "app/form.h"
#include "app/typing_options.h"
#include "engine/lurcore.h"

namespace {

constexpr int kCurrent = 5;
constexpr int kNone = -1;

// The three code-table items for a table; any other value leaves them as they are.
template <typename Field>
void markCodeTable(int table, TMenuItem& uni, TMenuItem& tcvn, TMenuItem& vni, Field field) {
    if (table < 0 || table > 2) {
        return;
    }
    uni.*field = table == 0 ? kCurrent : kNone;
    tcvn.*field = table == 1 ? kCurrent : kNone;
    vni.*field = table == 2 ? kCurrent : kNone;
}

} // namespace

void TForm1::ReSetPicture(std::int32_t table, std::uint8_t vniOn, std::uint8_t telexOn, std::uint8_t viet) {
    markCodeTable(table, pUni, pTCVN, pVniTN, &TMenuItem::ImageIndex);
    if (vniOn != 0) {
        pVni.ImageIndex = kCurrent;
        pTelex.ImageIndex = kNone;
    }
    if (telexOn != 0) {
        pVni.ImageIndex = kNone;
        pTelex.ImageIndex = kCurrent;
    }
    if (viet == 0) {
        pViet.ImageIndex = kNone;
        pAnh.ImageIndex = 4;
    } else if (viet == 1) {
        pViet.ImageIndex = 3;
        pAnh.ImageIndex = kNone;
    }
}

void TForm1::ReSetTags() {
    GetSharedData(&SharedSettings);
    pVni.Tag = MarkIndex(SharedSettings->UseVni);
    pTelex.Tag = MarkIndex(SharedSettings->UseTelex);
    markCodeTable(SharedSettings->CodeTable, pUni, pTCVN, pVniTN, &TMenuItem::Tag);
    pViet.Tag = VietMode != 0 ? 3 : kNone;
    pAnh.Tag = VietMode != 0 ? kNone : 4;
}

// The menu's commands store first, then hand the new value to the engine.
void TForm1::chooseInputMethod(std::uint8_t method) {
    SharedSettings->UseVni = method == 0 ? 1 : 0;
    SharedSettings->UseTelex = method == 1 ? 1 : 0;
    WriteToFile(&SharedSettings);
    TypingOptions->SetKeyMode(method);
    SetKMode(TypingOptions->GetKeyMode());
    ReSetPicture(SharedSettings->CodeTable, SharedSettings->UseVni, SharedSettings->UseTelex, VietMode);
}

void TForm1::chooseCodeTable(std::uint8_t table, bool reloadWindow) {
    SharedSettings->CodeTable = table;
    WriteToFile(&SharedSettings);
    if (reloadWindow) {
        Setvalue();
    }
    TypingOptions->SetCharSet(table);
    SetCSet(TypingOptions->CharSet);
    ReSetPicture(SharedSettings->CodeTable, SharedSettings->UseVni, SharedSettings->UseTelex, VietMode);
}

void TForm1::pVniClick() {
    chooseInputMethod(0);
}
void TForm1::pTelexClick() {
    chooseInputMethod(1);
}
void TForm1::pUniClick() {
    chooseCodeTable(0, false);
}
void TForm1::pTCVNClick() {
    chooseCodeTable(1, true);
}
void TForm1::pVniTNClick() {
    chooseCodeTable(2, true);
}
