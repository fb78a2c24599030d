#pragma once

// UTF-16 to UTF-8 and back, for the places that hand the program's texts to
// the outside (the web page's markup and storage keys, settings, test
// failure messages) or take texts from it (an exception's what()). Any
// Unicode text goes through: an estimate is named as the user likes.

#include <string>
#include <string_view>

namespace tarvik {

inline bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

inline bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The text with each surrogate that is not half of a pair as U+FFFD. A
// name typed or pasted in either face may hold one (both toolkits keep
// UTF-16 as given); UTF-8 has no form for it, so it is replaced here once,
// before the text becomes a key, a file name or bytes, and reads back the
// same from every storage.
inline std::u16string wellFormed(std::u16string_view text)
{
    std::u16string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (isHighSurrogate(out[i]) && i + 1 < out.size() && isLowSurrogate(out[i + 1]))
            ++i;
        else if (isHighSurrogate(out[i]) || isLowSurrogate(out[i]))
            out[i] = 0xFFFD;
    }
    return out;
}

// A surrogate pair is one four-byte sequence; a lone surrogate is U+FFFD,
// as wellFormed makes it, so utf8(t) == utf8(wellFormed(t)) and fromUtf8
// gives wellFormed(t) back.
inline std::string utf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t{text[++i]} - 0xDC00);
        } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Malformed, overlong or surrogate sequences each read as U+FFFD, so a
// message from anywhere shows as far as it can be read.
inline std::u16string fromUtf8(std::string_view text)
{
    constexpr char16_t replacement = 0xFFFD;
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t c = 0, least = 0;
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, c = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, c = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, c = lead & 0x07, least = 0x10000;
        } else {
            out += replacement;
            ++i;
            continue;
        }
        int taken = 1;
        while (taken < length && i + static_cast<std::size_t>(taken) < text.size() &&
               (static_cast<unsigned char>(text[i + static_cast<std::size_t>(taken)]) & 0xC0) == 0x80) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(taken)]) & 0x3F);
            ++taken;
        }
        i += static_cast<std::size_t>(taken);
        if (taken < length || c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += replacement;
        } else if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

} // namespace tarvik
