#pragma once
// Files are read whole as bytes and split into lines at LF (a CR before the LF belongs to the line
// end); files are written with CR LF line ends through one atomic-write helper.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kLineEnd = "\r\n";

// The whole file, or nullopt with error set to a sentence naming the file.
std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error = nullptr);

// Walks the lines of a buffer. The last line needs no line end; an empty buffer has no lines.
class LineCursor {
public:
    explicit LineCursor(std::string_view bytes)
        : m_rest(bytes) {}
    bool next(std::string_view& line);

private:
    std::string_view m_rest;
};

// Writes bytes to path through a temporary file in the same folder, flushed to disk and then renamed
// over the target, so that the target holds either its old content or all of the new one. Returns
// false with error set (naming the file) when anything fails; the temporary file is then removed.
bool SaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Test hook: the next atomic writes fail after this many bytes (nullopt: no failure).
void SetAtomicWriteFailureForTesting(std::optional<std::size_t> failAfterBytes);

} // namespace corvane
