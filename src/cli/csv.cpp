#include "cli/csv.h"

namespace corvane::cli {

void WriteCsvField(std::ostream& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out << text;
        return;
    }
    out << '"';
    for (auto quote = text.find('"'); quote != std::string_view::npos; quote = text.find('"')) {
        out << text.substr(0, quote + 1) << '"';
        text.remove_prefix(quote + 1);
    }
    out << text << '"';
}

} // namespace corvane::cli
