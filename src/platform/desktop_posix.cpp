#include "platform/desktop.h"

namespace corvane {

bool MenuBarTakesF10() {
    return false;
}

bool FileNamesIgnoreCase() {
    return false;
}

} // namespace corvane
