#pragma once
// The steps of the user's actions on the pages, for undo. The editors make each command one step of
// the change journal. A field's typing makes one step per visit: the first edit opens a step named
// after the field, and leaving the field closes it, after storing the flight being edited so that the
// step holds what the edits changed. Any other action closes an open visit first.

#include <string>
#include <string_view>

namespace corvane {

struct Session;

class EditSteps {
public:
    explicit EditSteps(Session& session)
        : m_session(session) {}
    ~EditSteps() { closeVisit(); }
    EditSteps(const EditSteps&) = delete;
    EditSteps& operator=(const EditSteps&) = delete;

    // An edit of the field named caption ("Tail number"): opens its visit unless it is open.
    void fieldEdited(std::string_view caption);
    // Leaving the field, or any other action: stores the flight being edited and closes the step.
    void closeVisit();
    bool visitOpen() const { return m_open; }

private:
    Session& m_session;
    std::string m_caption;
    bool m_open = false;
};

} // namespace corvane
