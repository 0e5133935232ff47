#include "environment/systemregistry.h"
#include "environment/wineregistry.h"

namespace corvane {

std::unique_ptr<Registry> SystemRegistry() {
    return std::make_unique<WineRegistry>(WinePrefix::fromEnvironment());
}

} // namespace corvane
