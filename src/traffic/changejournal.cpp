#include "traffic/changejournal.h"

namespace corvane {

namespace {

const std::string kNoText;
const StepPlace kNoPlace;

} // namespace

void ChangeJournal::beginStep(std::string text, bool joinPrevious) {
    if (m_depth++ > 0) return;
    m_open = Step{std::move(text), m_placeProvider ? m_placeProvider() : StepPlace{}, {}};
    m_joining = joinPrevious;
}

bool ChangeJournal::endStep() {
    if (m_depth == 0 || --m_depth > 0) return false;
    Step step = std::move(m_open);
    m_open = Step{};
    if (step.changes.empty()) return false;
    if (!m_joining) {
        m_steps.push_back(std::move(step));
        ++m_position;
        return true;
    }
    // The changes belong to the last step; without one they are the new base.
    if (m_cleanPosition == m_position) m_cleanPosition = -1;
    if (m_position > 0) {
        auto& into = m_steps[static_cast<std::size_t>(m_position - 1)].changes;
        for (auto& change : step.changes) into.push_back(std::move(change));
    }
    return false;
}

bool ChangeJournal::wantsChanges() {
    if (m_replaying) return false;
    if (m_depth == 0) {
        // A change that no step holds: nothing before it can be undone any more.
        if (!m_steps.empty()) ++m_generation;
        m_steps.clear();
        m_position = 0;
        m_cleanPosition = -1;
        return false;
    }
    return true;
}

void ChangeJournal::record(std::unique_ptr<JournalChange> change) {
    if (m_open.changes.empty()) forgetRedo();
    m_open.changes.push_back(std::move(change));
}

void ChangeJournal::forgetRedo() {
    if (m_position == stepCount()) return;
    ++m_generation;
    m_steps.erase(m_steps.begin() + m_position, m_steps.end());
    if (m_cleanPosition > m_position) m_cleanPosition = -1;
}

const std::string& ChangeJournal::undoText() const {
    return canUndo() ? m_steps[static_cast<std::size_t>(m_position - 1)].text : kNoText;
}

const std::string& ChangeJournal::redoText() const {
    return canRedo() ? m_steps[static_cast<std::size_t>(m_position)].text : kNoText;
}

const StepPlace& ChangeJournal::undoPlace() const {
    return canUndo() ? m_steps[static_cast<std::size_t>(m_position - 1)].place : kNoPlace;
}

const StepPlace& ChangeJournal::redoPlace() const {
    return canRedo() ? m_steps[static_cast<std::size_t>(m_position)].place : kNoPlace;
}

StepPlace ChangeJournal::undo() {
    if (!canUndo()) return {};
    Step& step = m_steps[static_cast<std::size_t>(--m_position)];
    m_replaying = true;
    for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it) (*it)->undo();
    m_replaying = false;
    return step.place;
}

StepPlace ChangeJournal::redo() {
    if (!canRedo()) return {};
    Step& step = m_steps[static_cast<std::size_t>(m_position++)];
    m_replaying = true;
    for (auto& change : step.changes) change->redo();
    m_replaying = false;
    return step.place;
}

void ChangeJournal::clear() {
    ++m_generation;
    m_steps.clear();
    m_position = 0;
    m_cleanPosition = 0;
}

void ChangeJournal::markClean() {
    m_cleanPosition = m_position;
}

std::size_t ChangeJournal::stepBytes(int step) const {
    std::size_t bytes = 0;
    if (step < 0 || step >= stepCount()) return bytes;
    for (const auto& change : m_steps[static_cast<std::size_t>(step)].changes) bytes += change->bytes();
    return bytes;
}

} // namespace corvane
