#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bw {

// Objects of JSON Lines for scripts: one object a line, every value a
// string. Values are log bytes: a value that is valid UTF-8 goes as it is, any
// other has each byte above 127 written as \u00XX, its Latin-1 reading, as the
// window shows it.
class JsonLines {
public:
    static void appendString(std::string& out, std::string_view bytes);
    // {"key": "value", ...} and a line feed; extra is written as it stands
    // before the closing brace (", \"pause\": true").
    static void appendObject(std::string& out, const std::vector<std::pair<std::string_view, std::string_view>>& fields,
                             std::string_view extra = {});
    static std::string status(std::string_view text);
};

} // namespace bw
