#pragma once
// A Progress that records what the window would show: "begin:TITLE", "title:TITLE", "N %", "end".

#include "traffic/progress.h"

#include <string>
#include <vector>

namespace corvane::test {

class RecordingProgress final : public Progress {
public:
    void begin(std::string_view title) override;
    void setTitle(std::string_view title) override;
    void show(int percent) override;
    void end() override;

    const std::vector<std::string>& events() const { return m_events; }
    // Only the "N %" texts, in order.
    std::vector<std::string> percentages() const;
    int depth() const { return m_depth; }
    void clear() { m_events.clear(); }

private:
    std::vector<std::string> m_events;
    int m_depth = 0;
};

} // namespace corvane::test
