#pragma once
// Long operations report through this interface: begin with a title, show whole percentages ("N %"),
// end (which shows "100 %" and closes the window). Operations may nest, as when a reader runs the
// airport list merge before it ends; the window closes when the outermost one ends. A wait of unknown
// length (a traffic tool at work) shows the seconds that have passed instead, and may be cancellable.

#include <string_view>

namespace corvane {

class Progress {
public:
    virtual ~Progress() = default;
    virtual void begin(std::string_view title) = 0;
    virtual void setTitle(std::string_view title) = 0;
    virtual void show(int percent) = 0;
    virtual void end() = 0;

    // Begins a wait: title, a note for the user (when not empty), the seconds passed, and a Cancel
    // button when cancellable. Ended by end().
    virtual void beginWait(std::string_view title, std::string_view /*note*/, bool /*cancellable*/) {
        begin(title);
    }
    virtual void showElapsed(int /*seconds*/) {}
    // True once the user has asked to cancel the current wait.
    virtual bool cancelRequested() { return false; }
};

class NullProgress final : public Progress {
public:
    void begin(std::string_view) override {}
    void setTitle(std::string_view) override {}
    void show(int) override {}
    void end() override {}
};

// Passes a percentage on only when it differs from the last one shown, so that an operation over
// 100,000 lines makes at most a hundred or so calls to the window.
class ProgressTicker {
public:
    explicit ProgressTicker(Progress& progress)
        : m_progress(progress) {}
    void show(int percent) {
        if (percent != m_last) {
            m_last = percent;
            m_progress.show(percent);
        }
    }
    void reset() { m_last = -1; }

private:
    Progress& m_progress;
    int m_last = -1;
};

// Begins on construction and ends on destruction, so that every way out of an operation ends it.
class ProgressScope {
public:
    ProgressScope(Progress& progress, std::string_view title)
        : m_progress(progress) {
        m_progress.begin(title);
    }
    ~ProgressScope() { m_progress.end(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    Progress& m_progress;
};

} // namespace corvane
