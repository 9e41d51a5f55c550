// lurio.ini read at start and again whenever it changes, on a thread of its own: reading and logging
// never hold up a key. The converter's key is served on the same thread.
#pragma once

#include "lurcore/config/user_config.h"

#include <functional>
#include <memory>
#include <string>

namespace lurcore {

// Reads the file in `folder` (UTF-8) now and after each change to it, and hands each result to
// `apply` on the watching thread. Without a folder nothing is read and the defaults stay.
void watchUserConfig(const std::string& folder,
                     std::function<void(std::unique_ptr<config::UserConfig>)> apply);

} // namespace lurcore
