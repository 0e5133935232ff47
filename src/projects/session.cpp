#include "projects/session.h"

#include "platform/paths.h"

namespace corvane {

std::string Session::aptPath() const {
    const std::string path = state.programFolder + "apt.dat";
    return FindPath(path).value_or(path);
}

void ClearData(Session& session, bool clearTables) {
    session.editor->clearEditor(clearTables);
    if (clearTables) session.db.clearTables();
}

} // namespace corvane
