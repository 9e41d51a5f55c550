// The boundary between the program and its typing engine, lurcore.dll: the ten-byte settings block
// and the ten functions the program calls. Declared once here; the Windows build imports them from
// the DLL by their undecorated names, host tests link a recording stand-in instead.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define LUR_STDCALL __stdcall
#else
#define LUR_STDCALL
#endif

#if defined(LURCORE_BUILDING_DLL)
#define LUR_IMPORT
#elif defined(_WIN32)
#define LUR_IMPORT __declspec(dllimport)
#else
#define LUR_IMPORT
#endif

// One setting per byte. Flags: 0 off, any other value on. Lists: the entry index, 255 for none.
struct TSharedSettings {
    std::uint8_t UseVni;
    std::uint8_t UseTelex;
    std::uint8_t SpellCheck;
    std::uint8_t ToneAfterVowel;
    std::uint8_t FreeTone;
    std::uint8_t Reserved;
    std::uint8_t CodeTable;
    std::uint8_t StartWithSystem;
    std::uint8_t QuickStart;
    std::uint8_t SwitchKey;
};

static_assert(sizeof(TSharedSettings) == 10);
static_assert(offsetof(TSharedSettings, UseVni) == 0);
static_assert(offsetof(TSharedSettings, UseTelex) == 1);
static_assert(offsetof(TSharedSettings, SpellCheck) == 2);
static_assert(offsetof(TSharedSettings, ToneAfterVowel) == 3);
static_assert(offsetof(TSharedSettings, FreeTone) == 4);
static_assert(offsetof(TSharedSettings, Reserved) == 5);
static_assert(offsetof(TSharedSettings, CodeTable) == 6);
static_assert(offsetof(TSharedSettings, StartWithSystem) == 7);
static_assert(offsetof(TSharedSettings, QuickStart) == 8);
static_assert(offsetof(TSharedSettings, SwitchKey) == 9);

// The engine's notice that the mode typing is in has changed (by the switch key, or by a start or stop of
// its hook): a registered window message of this name, posted to the program's window (class
// "LurbForm") in the engine's process; wParam 1 for Vietnamese, 0 for English.
inline constexpr const char* kTypingModeMessage = "Lurio2008.TypingMode";

// The program's only handle on the engine's block; null until GetSharedData fills it.
extern TSharedSettings* SharedSettings;

extern "C" {
LUR_IMPORT void LUR_STDCALL GetSharedData(TSharedSettings** settings);
LUR_IMPORT void LUR_STDCALL WriteToFile(TSharedSettings** settings);
LUR_IMPORT void LUR_STDCALL SetRegValue(const char* name, const char* const* path);
LUR_IMPORT void LUR_STDCALL DeleteRegKey(const char* name);
LUR_IMPORT void LUR_STDCALL StartKeyBoardHook();
LUR_IMPORT void LUR_STDCALL StopKeyBoardHook();
LUR_IMPORT void LUR_STDCALL SetCSet(std::uint8_t codeTable);
LUR_IMPORT void LUR_STDCALL SetKMode(std::uint8_t inputMethod);
LUR_IMPORT void LUR_STDCALL SetBDau(std::uint8_t toneRule);
LUR_IMPORT void LUR_STDCALL InitVariable();
}
