// The test build's one export more than the product's ten.
#include "engine/lurcore.h"
#include "lurcore/win32/hook.h"

extern "C" {

// Removes the engine's hooks as the system removes a hook that overran its time-out: the engine is
// not told, and believes them in until a notice of the session makes it put them back.
void LUR_STDCALL TestDropHooks() {
    lurcore::hookDropForTest();
}

} // extern "C"
