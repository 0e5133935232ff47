#include "editors/bulkchangeeditor.h"

#include "editors/flighteditor.h"

namespace corvane {

BulkChangeEditor::BulkChangeEditor(TrafficDatabase& db, FlightEditor& editor, Prompts& prompts)
    : m_db(db)
    , m_editor(editor)
    , m_prompts(prompts) {
    m_editor.SaveToLST();
}

} // namespace corvane
