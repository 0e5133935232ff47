#include "editors/editsteps.h"

#include "projects/session.h"
#include "traffic/changejournal.h"

namespace corvane {

void EditSteps::fieldEdited(std::string_view caption) {
    if (m_open && m_caption == caption) return;
    closeVisit();
    m_caption = caption;
    m_open = true;
    m_session.db.journal().beginStep("Edit " + m_caption);
}

void EditSteps::closeVisit() {
    if (!m_open) return;
    m_open = false;
    m_session.editor->storeFlight();
    m_session.db.journal().endStep();
}

} // namespace corvane
