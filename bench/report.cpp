#include "report.h"

namespace corvane {

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

const char* Verdict(bool met) {
    return met ? "PASS" : "FAIL";
}

} // namespace

void Report::timing(std::string_view name, double seconds, std::string_view baselineName,
                    double baselineSeconds, double maxRatio) {
    const double ratio = baselineSeconds > 0 ? seconds / baselineSeconds : 0;
    const bool met = seconds <= maxRatio * baselineSeconds;
    if (!met) ++m_failures;
    std::fprintf(m_out, "%-34.*s %9.1f ms   %-28.*s %8.1f ms   ratio %6.2f (bar <= %g)   %s\n",
                 static_cast<int>(name.size()), name.data(), seconds * 1000,
                 static_cast<int>(baselineName.size()), baselineName.data(), baselineSeconds * 1000, ratio,
                 maxRatio, Verdict(met));
}

void Report::size(std::string_view name, std::size_t bytes, std::string_view baseName, std::size_t baseBytes,
                  double maxRatio) {
    const double ratio = baseBytes > 0 ? static_cast<double>(bytes) / static_cast<double>(baseBytes) : 0;
    const bool met = static_cast<double>(bytes) <= maxRatio * static_cast<double>(baseBytes);
    if (!met) ++m_failures;
    std::fprintf(m_out, "%-34.*s %9.1f MB   %-28.*s %8.1f MB   ratio %6.2f (bar <= %g)   %s\n",
                 static_cast<int>(name.size()), name.data(), static_cast<double>(bytes) / kMegabyte,
                 static_cast<int>(baseName.size()), baseName.data(), static_cast<double>(baseBytes) / kMegabyte,
                 ratio, maxRatio, Verdict(met));
}

void Report::limit(std::string_view name, double seconds, double maxSeconds) {
    const bool met = seconds <= maxSeconds;
    if (!met) ++m_failures;
    std::fprintf(m_out, "%-34.*s %9.3f ms   bar <= %g ms   %s\n", static_cast<int>(name.size()), name.data(),
                 seconds * 1000, maxSeconds * 1000, Verdict(met));
}

void Report::memory(std::string_view name, std::size_t peakBytes, std::size_t bytesRead, double factor,
                    std::size_t extraBytes, std::size_t lines, double bytesPerLine) {
    const double perLines = bytesPerLine * static_cast<double>(lines);
    const double bar = factor * static_cast<double>(bytesRead) + static_cast<double>(extraBytes) + perLines;
    const bool met = static_cast<double>(peakBytes) <= bar;
    if (!met) ++m_failures;
    char lineTerm[64] = "";
    if (lines > 0) std::snprintf(lineTerm, sizeof lineTerm, " + %g B x %zu lines", bytesPerLine, lines);
    std::fprintf(m_out,
                 "%-34.*s %9.1f MB   bytes read %.1f MB; bar <= %g x bytes read + %.0f MB%s = %.1f MB   %s\n",
                 static_cast<int>(name.size()), name.data(), static_cast<double>(peakBytes) / kMegabyte,
                 static_cast<double>(bytesRead) / kMegabyte, factor,
                 static_cast<double>(extraBytes) / kMegabyte, lineTerm, bar / kMegabyte, Verdict(met));
}

void Report::note(std::string_view text, bool fail) {
    if (fail) ++m_failures;
    std::fprintf(m_out, "%s%.*s\n", fail ? "FAIL: " : "", static_cast<int>(text.size()), text.data());
}

void Report::summary() const {
    if (m_failures == 0)
        std::fprintf(m_out, "all bars met\n");
    else
        std::fprintf(m_out, "%d bar(s) not met\n", m_failures);
}

} // namespace corvane
