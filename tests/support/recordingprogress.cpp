#include "recordingprogress.h"

#include <gtest/gtest.h>

namespace corvane::test {

void RecordingProgress::begin(std::string_view title) {
    ++m_depth;
    m_events.push_back("begin:" + std::string(title));
}

void RecordingProgress::setTitle(std::string_view title) {
    EXPECT_GT(m_depth, 0) << "title set outside an operation";
    m_events.push_back("title:" + std::string(title));
}

void RecordingProgress::show(int percent) {
    EXPECT_GT(m_depth, 0) << "progress shown outside an operation";
    m_events.push_back(std::to_string(percent) + " %");
}

void RecordingProgress::end() {
    EXPECT_GT(m_depth, 0) << "end without begin";
    --m_depth;
    m_events.push_back("end");
}

void RecordingProgress::beginWait(std::string_view title, std::string_view note, bool cancellable) {
    ++m_depth;
    m_events.push_back("wait:" + std::string(title) + "|" + std::string(note) +
                       (cancellable ? "|cancellable" : "|not cancellable"));
}

void RecordingProgress::showElapsed(int seconds) {
    EXPECT_GT(m_depth, 0) << "seconds shown outside a wait";
    m_events.push_back(std::to_string(seconds) + " s");
}

bool RecordingProgress::cancelRequested() {
    ++m_checks;
    return m_cancelAfter >= 0 && m_checks > m_cancelAfter;
}

std::vector<std::string> RecordingProgress::percentages() const {
    std::vector<std::string> result;
    for (const auto& e : m_events)
        if (e.size() > 2 && e.compare(e.size() - 2, 2, " %") == 0) result.push_back(e);
    return result;
}

} // namespace corvane::test
