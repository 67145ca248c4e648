#pragma once

#include <QString>

#include <string_view>

namespace bw {

// Log bytes as text for the user: UTF-8 when they are valid UTF-8,
// otherwise Latin-1, so every byte shows as some character.
QString displayText(std::string_view bytes);

// Whether displayText reads the bytes as UTF-8.
bool isUtf8(std::string_view bytes);

} // namespace bw
