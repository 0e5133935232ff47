#include "platform/systemregistry.h"
#include "platform/wineregistry.h"

namespace corvane {

std::unique_ptr<Registry> SystemRegistry(ToolRunner* runner) {
    return std::make_unique<WineRegistry>(WinePrefix::fromEnvironment(), WineCommands{runner});
}

} // namespace corvane
