#pragma once
// A Progress that records what the window would show: "begin:TITLE", "title:TITLE", "N %", "end", and
// for waits "wait:TITLE|NOTE|cancellable" (or "|not cancellable") and "N s". It can play a user who
// presses Cancel.

#include "platform/progress.h"

#include <string>
#include <vector>

namespace corvane::test {

class RecordingProgress final : public Progress {
public:
    void begin(std::string_view title) override;
    void setTitle(std::string_view title) override;
    void show(int percent) override;
    void end() override;
    void beginWait(std::string_view title, std::string_view note, bool cancellable) override;
    void showElapsed(int seconds) override;
    bool cancelRequested() override;

    // The user presses Cancel once the wait has been asked this many times whether to cancel.
    void cancelAfter(int checks) { m_cancelAfter = checks; }

    const std::vector<std::string>& events() const { return m_events; }
    // Only the "N %" texts, in order.
    std::vector<std::string> percentages() const;
    int depth() const { return m_depth; }
    void clear() { m_events.clear(); }

private:
    std::vector<std::string> m_events;
    int m_depth = 0;
    int m_cancelAfter = -1;
    int m_checks = 0;
};

} // namespace corvane::test
