#include "traffic/fields.h"

namespace corvane {

std::string_view TakeField(std::string_view& text, char delimiter) {
    const auto p = text.find(delimiter);
    if (p == std::string_view::npos) {
        const std::string_view field = text;
        text = {};
        return field;
    }
    const std::string_view field = text.substr(0, p);
    text.remove_prefix(p + 1);
    return field;
}

std::string TakeField(std::string& text, char delimiter) {
    const auto p = text.find(delimiter);
    if (p == std::string::npos) {
        std::string field;
        field.swap(text);
        return field;
    }
    std::string field = text.substr(0, p);
    text.erase(0, p + 1);
    return field;
}

std::string LastField(std::string_view text, char delimiter) {
    if (!text.empty() && text.back() == delimiter) text.remove_suffix(1);
    const auto p = text.rfind(delimiter);
    return std::string(p == std::string_view::npos ? text : text.substr(p + 1));
}

std::string TrimBackTo(std::string_view text, char c) {
    const auto p = text.rfind(c);
    return p == std::string_view::npos ? std::string() : std::string(text.substr(0, p + 1));
}

namespace {

// Start and end (exclusive) of field n, or false when the text has fewer fields.
bool FieldBounds(std::string_view text, int n, char delimiter, std::size_t& start, std::size_t& end) {
    if (n < 1) return false;
    start = 0;
    for (int count = 1;; ++count) {
        const auto p = text.find(delimiter, start);
        if (count == n) {
            end = p == std::string_view::npos ? text.size() : p;
            return true;
        }
        if (p == std::string_view::npos) return false;
        start = p + 1;
    }
}

} // namespace

std::string_view GetFieldView(std::string_view text, int n, char delimiter) {
    std::size_t start = 0, end = 0;
    if (!FieldBounds(text, n, delimiter, start, end)) return {};
    return text.substr(start, end - start);
}

std::string GetField(std::string_view text, int n, char delimiter) {
    return std::string(GetFieldView(text, n, delimiter));
}

std::string SetField(std::string_view text, int n, std::string_view value, char delimiter) {
    std::size_t start = 0, end = 0;
    if (!FieldBounds(text, n, delimiter, start, end)) return std::string(text);
    std::string result;
    result.reserve(text.size() - (end - start) + value.size());
    result.append(text.substr(0, start)).append(value).append(text.substr(end));
    return result;
}

std::vector<std::string_view> SplitFields(std::string_view text, char delimiter) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto p = text.find(delimiter);
        if (p == std::string_view::npos) {
            fields.push_back(text);
            return fields;
        }
        fields.push_back(text.substr(0, p));
        text.remove_prefix(p + 1);
    }
}

void SplitFieldsInto(std::string_view text, char delimiter, std::vector<std::string_view>& fields) {
    fields.clear();
    // The fields are short, so a plain walk beats a search call per field.
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != delimiter) continue;
        fields.push_back(text.substr(start, i - start));
        start = i + 1;
    }
    fields.push_back(text.substr(start));
}

} // namespace corvane
