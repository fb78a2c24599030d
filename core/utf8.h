#pragma once

// UTF-16 to UTF-8, for the places that hand the program's texts to the
// outside (the web page's markup, test failure messages).

#include <string>
#include <string_view>

namespace tarvik {

// Texts of the Basic Multilingual Plane, which is all the catalogue holds.
inline std::string utf8(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace tarvik
