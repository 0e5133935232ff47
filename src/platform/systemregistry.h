#pragma once
// The registry of the system a program runs on, as the traffic tools read it: on Windows (and so under
// Wine) the system's own registry; elsewhere that of the Wine prefix named by the environment
// ($WINEPREFIX, else ~/.wine), read from its files and, given a runner, written through Wine's own
// programs (WineRegistry). The simulator's key is read in the view that 32-bit programs see, as the
// simulator and the real tools are 32-bit programs.

#include "platform/registry.h"

#include <memory>

namespace corvane {

class ToolRunner;

std::unique_ptr<Registry> SystemRegistry(ToolRunner* runner = nullptr);

} // namespace corvane
