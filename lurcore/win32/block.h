#pragma once

#include "engine/lurcore.h"

// The engine's one block per process, loaded from the settings file at first use.
TSharedSettings* lurcoreBlock();
