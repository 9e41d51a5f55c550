#pragma once

#include "engine/lurcore.h"

// The engine's one block per process, loaded from the settings file at first use.
TSharedSettings* lurcoreBlock();

#include <string>

// The engine's folder in the user's application data (UTF-8), made if missing; empty when unknown.
std::string lurcoreFolder();
