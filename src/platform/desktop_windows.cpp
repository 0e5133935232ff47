#include "platform/desktop.h"

namespace corvane {

bool MenuBarTakesF10() {
    return true;
}

bool FileNamesIgnoreCase() {
    return true;
}

} // namespace corvane
