// The engine's ten functions as a recording stand-in, linked instead of lurcore.dll.
#include "tests/host/support/call_log.h"

namespace fake {

std::vector<std::string>& calls() {
    static std::vector<std::string> log;
    return log;
}

void clearCalls() {
    calls().clear();
}
void record(const std::string& call) {
    calls().push_back(call);
}

std::vector<std::string> callsStartingWith(const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& call : calls()) {
        if (call.rfind(prefix, 0) == 0) {
            out.push_back(call);
        }
    }
    return out;
}

TSharedSettings& engineBlock() {
    static TSharedSettings block{};
    return block;
}

std::vector<TSharedSettings>& storedBlocks() {
    static std::vector<TSharedSettings> stored;
    return stored;
}

void resetEngine(const TSharedSettings& block) {
    engineBlock() = block;
    storedBlocks().clear();
    clearCalls();
}

} // namespace fake

extern "C" {

void LUR_STDCALL GetSharedData(TSharedSettings** settings) {
    fake::record("GetSharedData");
    *settings = &fake::engineBlock();
}

void LUR_STDCALL WriteToFile(TSharedSettings** settings) {
    fake::record(*settings == &fake::engineBlock() ? "WriteToFile" : "WriteToFile(wrong block)");
    fake::storedBlocks().push_back(fake::engineBlock());
}

void LUR_STDCALL SetRegValue(const char* name, const char* const* path) {
    fake::record(std::string("SetRegValue ") + name + " " + *path);
}

void LUR_STDCALL DeleteRegKey(const char* name) {
    fake::record(std::string("DeleteRegKey ") + name);
}
void LUR_STDCALL StartKeyBoardHook() {
    fake::record("StartKeyBoardHook");
}
void LUR_STDCALL StopKeyBoardHook() {
    fake::record("StopKeyBoardHook");
}
void LUR_STDCALL SetCSet(std::uint8_t value) {
    fake::record("SetCSet " + std::to_string(value));
}
void LUR_STDCALL SetKMode(std::uint8_t value) {
    fake::record("SetKMode " + std::to_string(value));
}
void LUR_STDCALL SetBDau(std::uint8_t value) {
    fake::record("SetBDau " + std::to_string(value));
}
void LUR_STDCALL InitVariable() {
    fake::record("InitVariable");
}

} // extern "C"
