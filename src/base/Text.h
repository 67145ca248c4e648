#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The text rules every parser shares. Logs are bytes: nothing here decodes or
// knows about letter case beyond a to z. Positions count from 1, as the log
// formats are described.
namespace bw {

// Removes every character with a code up to 32 from both ends.
std::string_view trim(std::string_view s);

inline bool contains(std::string_view s, std::string_view what)
{
    return s.find(what) != std::string_view::npos;
}

// 1-based position of the first occurrence of what, 0 when there is none.
std::size_t pos(std::string_view s, std::string_view what);

// The text from 1-based position p to the end; a position below 1 starts at
// the first character, one past the end gives an empty text.
std::string_view fromPos(std::string_view s, std::ptrdiff_t p);

// Up to n characters starting at 1-based position p (fewer at the end).
std::string_view copyAt(std::string_view s, std::ptrdiff_t p, std::size_t n);

// The text before the first x; empty when x does not occur.
std::string_view upTo(std::string_view s, std::string_view x);

// The text after the first x; all of s when x does not occur.
std::string_view afterFirst(std::string_view s, std::string_view x);

// Byte comparison after folding only a to z to A to Z; a text that begins the
// other goes first. Returns <0, 0 or >0.
int foldCompare(std::string_view a, std::string_view b);

// Whether s contains what (given in upper case) after folding a to z in s.
bool containsFolded(std::string_view s, std::string_view upperWhat);

// Where each line of text ends, after its line feed, in ends (emptied
// first). What follows the last line feed is left.
void lineEnds(std::string_view text, std::vector<std::size_t>& ends);

// Signed decimal integers: leading blanks and one sign allowed, then at least
// one digit and nothing after; out of range is no number.
std::optional<std::int32_t> readInt32(std::string_view s);
std::optional<std::int64_t> readInt64(std::string_view s);

} // namespace bw
