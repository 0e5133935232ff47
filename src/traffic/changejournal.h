#pragma once
// The change journal of a TrafficDatabase: every change to its tables, grouped into one step per
// user action, so that any step can be undone and redone exactly.
//
//   steps     [ A | B | C ]            position 3: undo takes back C, then B, ...; redo puts back
//                         ^ position   the step after the position
//   a step    the changes in the order they were made; undo reverts them in reverse order
//
// A change records only what it changed, and keeps "the other version" of it: undoing swaps the
// table's content with the recorded one, so the record then holds what redo puts back. A filter over
// 100,000 flights is one step that holds the lines it changed, never a copy of a table.
//
// Only changes made inside a step (StepScope) are undoable. A change made outside any step starts a
// new base: the history is forgotten, and the data count as changed. Loads do that, then mark the new
// data clean. Recording anything new forgets the steps that could have been redone.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

// One recorded change. undo() and redo() announce to the tables' observers what they change, as the
// change itself did.
class JournalChange {
public:
    virtual ~JournalChange() = default;
    virtual void undo() = 0;
    virtual void redo() = 0;
    // The memory the record holds, for the benchmark.
    virtual std::size_t bytes() const = 0;
};

// Where a step was made, so that the window can show the restored data there after an undo or redo.
struct StepPlace {
    int page = -1;         // the page of the main window, -1 for none
    int flight = -1;       // FlightTable index of the flight being edited
    int legRow = -1;       // selected row of the legs list
    std::string airport;   // the airport listed on the FlightPlans page
    std::string airportRow; // the ICAO code selected on the Airports page
};

class ChangeJournal {
public:
    // Opens a step named text ("Delete Flight") at the place the place provider gives; a nested call
    // joins the step already open. With joinPrevious, the changes go into the last step instead (a
    // save's renumbering belongs to what made it), or start a new base when there is none.
    void beginStep(std::string text, bool joinPrevious = false);
    // Where steps are made (the window knows its pages); without one, steps have no place.
    void setPlaceProvider(std::function<StepPlace()> provider) { m_placeProvider = std::move(provider); }
    // Closes the step. A step that changed nothing is dropped. True when a step was added.
    bool endStep();
    bool inStep() const { return m_depth > 0; }

    // For the tables: whether a change is to be recorded now. False while a step is undone or redone;
    // outside a step it forgets the history (see above) and returns false.
    bool wantsChanges();
    void record(std::unique_ptr<JournalChange> change);
    // The last change of the open step when it is a T (for changes that merge, such as the keys typed
    // into one cell), else null.
    template <typename T> T* lastChangeAs() {
        if (m_depth == 0 || m_open.changes.empty()) return nullptr;
        return dynamic_cast<T*>(m_open.changes.back().get());
    }

    int stepCount() const { return static_cast<int>(m_steps.size()); }
    const std::string& stepText(int step) const { return m_steps[static_cast<std::size_t>(step)].text; }
    // Changes whenever steps are forgotten (a clear, a change outside a step, steps that could have
    // been redone), so that a view of the history knows to rebuild.
    int generation() const { return m_generation; }
    int position() const { return m_position; }
    bool canUndo() const { return m_depth == 0 && m_position > 0; }
    bool canRedo() const { return m_depth == 0 && m_position < stepCount(); }
    const std::string& undoText() const;
    const std::string& redoText() const;
    // The place of the step that undo or redo would change.
    const StepPlace& undoPlace() const;
    const StepPlace& redoPlace() const;
    // Undo and redo return the place of the step they changed.
    StepPlace undo();
    StepPlace redo();

    // Forgets every step; the current data become clean.
    void clear();
    // The data as they are now are saved.
    void markClean();
    bool isClean() const { return m_cleanPosition == m_position; }

    std::size_t stepBytes(int step) const;

private:
    struct Step {
        std::string text;
        StepPlace place;
        std::vector<std::unique_ptr<JournalChange>> changes;
    };
    void forgetRedo();

    std::vector<Step> m_steps;
    int m_position = 0;
    // The position whose data are saved; -1 when no position is (changes outside a step).
    int m_cleanPosition = 0;
    Step m_open;
    int m_depth = 0;
    bool m_joining = false;
    bool m_replaying = false;
    int m_generation = 0;
    std::function<StepPlace()> m_placeProvider;
};

// Opens a step for its lifetime.
class StepScope {
public:
    StepScope(ChangeJournal& journal, std::string text, bool joinPrevious = false)
        : m_journal(journal) {
        m_journal.beginStep(std::move(text), joinPrevious);
    }
    ~StepScope() { m_journal.endStep(); }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

private:
    ChangeJournal& m_journal;
};

} // namespace corvane
