#include "platform/toolwatch.h"

#include "platform/progress.h"

namespace corvane {

using std::chrono::steady_clock;

ToolWatch::ToolWatch(const ToolRunOptions& options)
    : m_options(options)
    , m_start(steady_clock::now()) {
    if (m_options.progress) {
        m_options.progress->beginWait(m_options.title, m_options.note, m_options.cancellable);
        m_options.progress->showElapsed(0);
        m_shownSeconds = 0;
    }
}

ToolWatch::~ToolWatch() {
    if (m_options.progress) m_options.progress->end();
}

std::chrono::milliseconds ToolWatch::elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(steady_clock::now() - m_start);
}

ToolWatch::Step ToolWatch::tick() {
    const auto passed = elapsed();
    if (m_options.progress) {
        const int seconds =
            static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(passed).count());
        if (seconds != m_shownSeconds) {
            m_shownSeconds = seconds;
            m_options.progress->showElapsed(seconds);
        }
    }
    if (m_stop == ToolStop::None) {
        if (m_options.cancellable && m_options.progress && m_options.progress->cancelRequested())
            m_stop = ToolStop::Cancelled;
        else if (passed >= m_options.timeLimit)
            m_stop = ToolStop::TimedOut;
        if (m_stop == ToolStop::None) return Step::Wait;
        m_askedAt = steady_clock::now();
        return Step::AskToEnd;
    }
    if (!m_killed && steady_clock::now() - m_askedAt >= kToolStopGrace) {
        m_killed = true;
        return Step::Kill;
    }
    return Step::Wait;
}

} // namespace corvane
