#pragma once
// The one crossing between the core's Windows-1252 bytes and the widgets' Unicode text. Every byte
// value has a character, so bytes shown and taken back are unchanged; a character typed that
// Windows-1252 cannot hold is refused, never silently replaced.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::ui {

QString ToDisplay(std::string_view bytes);

// The bytes of text, or nullopt with refused set to the first character that has no byte.
std::optional<std::string> FromDisplay(const QString& text, QChar* refused = nullptr);

// Host paths are not Windows-1252: they keep the file system's own encoding in the core.
QString PathToDisplay(const std::string& path);
std::string PathFromDisplay(const QString& path);

// Message texts, titles and captions may carry a host path beside Windows-1252 text: text that is
// valid UTF-8 with non-ASCII bytes is shown as UTF-8, any other as Windows-1252. CR LF becomes "\n".
QString MessageToDisplay(std::string_view bytes);

// The message shown for a refused character.
QString RefusedCharacterTitle();
std::string RefusedCharacterText(QChar refused);

} // namespace corvane::ui
