#pragma once
// Cutting, reading and replacing the delimiter-separated fields of the text formats. Positions count
// from 1; n delimiters make n + 1 fields, so a text ending in the delimiter has an empty last field.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Cuts the first field off text: returns the part before the first delimiter and leaves the part
// after it ("a,b,c" gives "a" and leaves "b,c"; text without the delimiter is returned whole and
// leaves the empty text).
std::string TakeField(std::string& text, char delimiter);
std::string_view TakeField(std::string_view& text, char delimiter);

// The part after the last delimiter, after dropping one trailing delimiter: the name of the last
// component of a path, also of a folder path that ends in the separator.
std::string LastField(std::string_view text, char delimiter);

// text shortened from the right until its last character is c; the empty text when c is absent.
std::string TrimBackTo(std::string_view text, char c);

// The n-th field (from 1), or the empty text when there is none or n is below 1.
std::string GetField(std::string_view text, int n, char delimiter);
std::string_view GetFieldView(std::string_view text, int n, char delimiter);

// text with its n-th field replaced by value; unchanged when there is no such field or n is below 1.
std::string SetField(std::string_view text, int n, std::string_view value, char delimiter);

// All fields at once, for callers that walk many of them (the writers and filters walk every sixth
// field of a flight line; one split keeps that linear in the line's length).
std::vector<std::string_view> SplitFields(std::string_view text, char delimiter);
// The same into fields, reusing its storage: for the walks that split every flight line in turn.
void SplitFieldsInto(std::string_view text, char delimiter, std::vector<std::string_view>& fields);

} // namespace corvane
