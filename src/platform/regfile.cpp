#include "platform/regfile.h"

#include "platform/regtext.h"

namespace corvane {

namespace {

// The line starting at pos: its text without the line end, and where the next line starts.
struct Line {
    std::string_view text;
    std::size_t next;
};

Line LineAt(std::string_view text, std::size_t pos) {
    const auto lf = text.find('\n', pos);
    const std::size_t next = lf == std::string_view::npos ? text.size() : lf + 1;
    std::string_view line = text.substr(pos, (lf == std::string_view::npos ? text.size() : lf) - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return {line, next};
}

// The key name of a "[...]" line, or nullopt for any other line.
std::optional<std::string> SectionName(std::string_view line) {
    if (line.empty() || line.front() != '[') return std::nullopt;
    const auto close = FindUnescaped(line, ']', 1);
    if (close == std::string_view::npos) return std::nullopt;
    return UnescapeRegText(line.substr(1, close - 1));
}

// The name of a value line and the position of the text after its "=", or nullopt.
std::optional<std::pair<std::string, std::size_t>> ValueName(std::string_view line) {
    if (line.size() >= 2 && line[0] == '@' && line[1] == '=') return std::pair{std::string(), std::size_t{2}};
    if (line.empty() || line.front() != '"') return std::nullopt;
    const auto close = FindUnescaped(line, '"', 1);
    if (close == std::string_view::npos || close + 1 >= line.size() || line[close + 1] != '=')
        return std::nullopt;
    return std::pair{UnescapeRegText(line.substr(1, close - 1)), close + 2};
}

std::string QuotedData(std::string_view value) {
    return "\"" + EscapeRegText(value, "\"") + "\"";
}

std::string ValueLineText(std::string_view valueName, std::string_view value) {
    const std::string name = valueName.empty() ? "@" : "\"" + EscapeRegText(valueName, "\"") + "\"";
    return name + "=" + QuotedData(value);
}

} // namespace

std::string_view RegFile::lineEnd() const {
    const auto lf = m_text.find('\n');
    return lf != std::string::npos && lf > 0 && m_text[lf - 1] == '\r' ? "\r\n" : "\n";
}

std::string RegFile::spelledKey(std::string_view key) const {
    std::string best;
    const std::string_view text = m_text;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        pos = line.next;
        const auto name = SectionName(line.text);
        if (!name || name->size() <= best.size() || name->size() > key.size()) continue;
        if (SameRegName(*name, key.substr(0, name->size())) &&
            (name->size() == key.size() || key[name->size()] == '\\'))
            best = *name;
    }
    return best + std::string(key.substr(best.size()));
}

std::optional<RegFile::Span> RegFile::findSection(std::string_view key) const {
    const std::string_view text = m_text;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Line line = LineAt(text, pos);
        pos = line.next;
        const auto name = SectionName(line.text);
        if (!name || !SameRegName(*name, key)) continue;
        Span section{pos, pos};
        while (section.end < text.size()) {
            const Line inner = LineAt(text, section.end);
            if (SectionName(inner.text)) break;
            section.end = inner.next;
        }
        return section;
    }
    return std::nullopt;
}

std::optional<RegFile::ValueLine> RegFile::findValue(const Span& section, std::string_view valueName) const {
    const std::string_view text = m_text;
    std::size_t pos = section.begin;
    while (pos < section.end) {
        const std::size_t begin = pos;
        Line line = LineAt(text, pos);
        pos = line.next;
        const auto name = ValueName(line.text);
        // Data such as hex:... goes on over lines ending in a backslash.
        while (!line.text.empty() && line.text.back() == '\\' && pos < section.end) {
            line = LineAt(text, pos);
            pos = line.next;
        }
        if (name && SameRegName(name->first, valueName)) return ValueLine{{begin, pos}, begin + name->second};
    }
    return std::nullopt;
}

std::optional<std::string> RegFile::stringValue(std::string_view key, std::string_view valueName) const {
    const auto section = findSection(key);
    if (!section) return std::nullopt;
    const auto value = findValue(*section, valueName);
    if (!value) return std::nullopt;
    std::string_view data = LineAt(m_text, value->span.begin).text;
    data.remove_prefix(value->dataBegin - value->span.begin);
    // Plain strings, and strings of the expandable kind, which are read unexpanded.
    if (data.substr(0, 7) == "str(2):") data.remove_prefix(7);
    if (data.empty() || data.front() != '"') return std::nullopt;
    const auto close = FindUnescaped(data, '"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    return UnescapeRegText(data.substr(1, close - 1));
}

void RegFile::setStringValue(std::string_view key, std::string_view valueName, std::string_view value,
                             std::int64_t modifiedTime) {
    const std::string newLine = ValueLineText(valueName, value);
    const std::string end(lineEnd());
    const auto section = findSection(key);
    if (!section) {
        if (!m_text.empty()) {
            if (m_text.back() != '\n') m_text += end;
            if (!m_text.ends_with(end + end)) m_text += end; // a blank line between sections
        }
        m_text += "[" + EscapeRegText(spelledKey(key), "[]") + "] " + std::to_string(modifiedTime) + end +
                  newLine + end;
        return;
    }
    if (const auto existing = findValue(*section, valueName)) {
        // Keep the line end the old line had (the last line of a file may have none).
        const std::string_view old =
            std::string_view(m_text).substr(existing->span.begin, existing->span.end - existing->span.begin);
        const std::string oldEnd = old.ends_with("\r\n") ? "\r\n" : old.ends_with("\n") ? "\n" : "";
        m_text.replace(existing->span.begin, existing->span.end - existing->span.begin, newLine + oldEnd);
        return;
    }
    // A new value goes after the last line of the section that is not blank, unless that line ends
    // in a backslash: a reader would take the new line as the rest of that value. It then goes first,
    // after the key's own "#" lines.
    std::size_t insertAt = section->begin;
    std::size_t afterComments = section->begin;
    bool commentsOnly = true;
    bool continued = false;
    for (std::size_t pos = section->begin; pos < section->end;) {
        const Line line = LineAt(m_text, pos);
        pos = line.next;
        if (line.text.empty()) continue;
        insertAt = pos;
        continued = line.text.back() == '\\';
        if (commentsOnly && line.text.front() == '#' && !continued)
            afterComments = pos;
        else
            commentsOnly = false;
    }
    if (continued) insertAt = afterComments;
    std::string insertion = newLine + end;
    if (insertAt > 0 && m_text[insertAt - 1] != '\n') insertion = end + insertion;
    m_text.insert(insertAt, insertion);
}

} // namespace corvane
