// Handlers of the window's choice controls: each hands its change to the engine first, then stores.
#include "app/form.h"
#include "app/typing_options.h"
#include "engine/lurcore.h"

void TForm1::TbCodeChange() {
    const int table = TbCode.itemIndex();
    if (table >= 0 && table <= 2) {
        TypingOptions->SetCharSet(static_cast<std::uint8_t>(table));
    }
    SetCSet(TypingOptions->CharSet);
    InitVariable();
    UpdateData();
}

void TForm1::VNIClick() {
    CboMethod.select(0);
    TypingOptions->SetKeyMode(0);
    SetKMode(TypingOptions->GetKeyMode());
    UpdateData();
}

void TForm1::TELEXClick() {
    CboMethod.select(1);
    TypingOptions->SetKeyMode(1);
    SetKMode(TypingOptions->GetKeyMode());
    UpdateData();
}

void TForm1::CboMethodChange() {
    TypingOptions->SetKeyMode(CboMethod.itemIndexByte());
    SetKMode(TypingOptions->GetKeyMode());
    if (CboMethod.itemIndex() == 0) {
        VNI.setChecked(true);
    } else {
        TELEX.setChecked(true);
    }
}

void TForm1::MFreeClick() {
    TypingOptions->SetToneRule(ToneRuleFromBoxes(MFree.checked(), MOWEL.checked()));
    SetBDau(TypingOptions->GetToneRule());
    UpdateData();
}

void TForm1::MOWELClick() {
    MFreeClick();
}

void TForm1::ChkQuickClick() {
    if (loading_) {
        return;
    }
    SharedSettings->QuickStart = ChkQuick.checked() ? 1 : 0;
    WriteToFile(&SharedSettings);
}
