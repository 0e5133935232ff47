#pragma once
// The benchmark's printed figures: each timing beside its baseline with the ratio and its bar, the
// peak memory against its bar, and whether every bar was met.

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace corvane {

class Report {
public:
    explicit Report(std::FILE* out = stdout)
        : m_out(out) {}

    // A time beside its baseline; the bar is met when seconds <= maxRatio x baseline.
    void timing(std::string_view name, double seconds, std::string_view baselineName, double baselineSeconds,
                double maxRatio);
    // A time against a fixed bar: met when seconds <= maxSeconds.
    void limit(std::string_view name, double seconds, double maxSeconds);
    // The bar is met when peakBytes <= factor x bytesRead + extraBytes (+ bytesPerLine x lines).
    void memory(std::string_view name, std::size_t peakBytes, std::size_t bytesRead, double factor,
                std::size_t extraBytes, std::size_t lines = 0, double bytesPerLine = 0);
    // A size beside another: met when bytes <= maxRatio x baseBytes.
    void size(std::string_view name, std::size_t bytes, std::string_view baseName, std::size_t baseBytes,
              double maxRatio);
    // A line without a bar; fail marks something that makes the figures meaningless.
    void note(std::string_view text, bool fail = false);

    bool passed() const { return m_failures == 0; }
    void summary() const;

private:
    std::FILE* m_out;
    int m_failures = 0;
};

} // namespace corvane
