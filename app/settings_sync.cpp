// Keeping the window's controls and the engine's block in step.
#include "app/form.h"
#include "app/typing_options.h"
#include "engine/lurcore.h"

void TForm1::Setvalue() {
    // Loading sets off the controls' handlers; while it runs they hand values to the engine but
    // store nothing.
    const bool wasLoading = loading_;
    loading_ = true;
    TbCode.select(SharedSettings->CodeTable);
    VNI.setChecked(SharedSettings->UseVni != 0);
    TELEX.setChecked(SharedSettings->UseTelex != 0);
    Mold.setChecked(SharedSettings->SpellCheck != 0);
    MOWEL.setChecked(TypingOptions->GetToneRule() != 0);
    MFree.setChecked(TypingOptions->GetToneRule() == 0);
    chksys.setChecked(SharedSettings->StartWithSystem != 0);
    ChkQuick.setChecked(SharedSettings->QuickStart != 0);
    cKey.select(SharedSettings->SwitchKey);
    loading_ = wasLoading;

    const int table = TbCode.itemIndex();
    if (table >= 0 && table <= 2) {
        TypingOptions->SetCharSet(static_cast<std::uint8_t>(table));
    }
    const int method = CboMethod.itemIndex();
    if (method == 0 || method == 1) {
        TypingOptions->SetKeyMode(static_cast<std::uint8_t>(method));
    }
    StartKeyBoardHook();
    SetCSet(TypingOptions->CharSet);
    SetKMode(TypingOptions->GetKeyMode());
    InitVariable();
}

void TForm1::UpdateData() {
    if (loading_) {
        return;
    }
    SharedSettings->CodeTable = TbCode.itemIndexByte();
    SharedSettings->UseVni = VNI.checked() ? 1 : 0;
    SharedSettings->UseTelex = TELEX.checked() ? 1 : 0;
    SharedSettings->SpellCheck = Mold.checked() ? 1 : 0;
    SharedSettings->ToneAfterVowel = MOWEL.checked() ? 1 : 0;
    SharedSettings->FreeTone = MFree.checked() ? 1 : 0;
    SharedSettings->StartWithSystem = chksys.checked() ? 1 : 0;
    SharedSettings->QuickStart = ChkQuick.checked() ? 1 : 0;
    SharedSettings->SwitchKey = cKey.itemIndexByte();
    WriteToFile(&SharedSettings);
}
