#include "cli/JsonLines.h"

#include "base/DisplayText.h"

namespace bw {

namespace {

const char hex[] = "0123456789abcdef";

void appendEscape(std::string& out, unsigned char c)
{
    out += "\\u00";
    out += hex[c >> 4];
    out += hex[c & 15];
}

} // namespace

void JsonLines::appendString(std::string& out, std::string_view bytes)
{
    const bool utf8 = isUtf8(bytes);
    out += '"';
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && !utf8)) {
            appendEscape(out, c);
        } else {
            out += ch;
        }
    }
    out += '"';
}

void JsonLines::appendObject(std::string& out, const std::vector<std::pair<std::string_view, std::string_view>>& fields,
                             std::string_view extra)
{
    out += '{';
    bool first = true;
    for (const auto& [key, value] : fields) {
        if (!first)
            out += ", ";
        first = false;
        appendString(out, key);
        out += ": ";
        appendString(out, value);
    }
    out += extra;
    out += "}\n";
}

std::string JsonLines::status(std::string_view text)
{
    std::string out;
    appendObject(out, {{"status", text}});
    return out;
}

} // namespace bw
