#pragma once
// What every ToolRunner does while it waits for a tool: it shows the wait on the run's progress, tells
// it the seconds as they pass, and decides when the tool must be stopped (the user cancelled it, or it
// ran past its time limit) and when a tool that was asked to end must be killed.

#include "platform/toolrunner.h"

namespace corvane {

class ToolWatch {
public:
    // Begins the wait on options.progress (when there is one); the destructor ends it.
    explicit ToolWatch(const ToolRunOptions& options);
    ~ToolWatch();
    ToolWatch(const ToolWatch&) = delete;
    ToolWatch& operator=(const ToolWatch&) = delete;

    enum class Step {
        Wait,     // let the tool run on
        AskToEnd, // once: a stop is needed, ask the tool to end
        Kill,     // once: the tool did not end within the grace after it was asked to
    };
    // Called a few times a second while the tool runs.
    Step tick();

    // Why the tool was stopped, or None.
    ToolStop stop() const { return m_stop; }
    std::chrono::milliseconds timeLimit() const { return m_options.timeLimit; }

private:
    std::chrono::milliseconds elapsed() const;

    const ToolRunOptions& m_options;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_askedAt;
    ToolStop m_stop = ToolStop::None;
    bool m_killed = false;
    int m_shownSeconds = -1;
};

// How often a runner calls ToolWatch::tick.
inline constexpr std::chrono::milliseconds kToolTickInterval{100};

} // namespace corvane
