#pragma once

// The dimensions in size texts, read as numbers. Every platform the tests run on must have it:
// emscripten's C++ library has no floating-point std::from_chars, and the C library's strtod
// follows the locale.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvik::testing {

// Digits with at most one decimal comma or point between them ("6,5", "1100", "0.5"); nothing
// for anything else. Up to 15 digits, so the digits and the power of ten are both exact
// doubles and the one division rounds the decimal value correctly.
inline std::optional<double> decimalValue(std::u16string_view text)
{
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool afterMark = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            digits = digits * 10 + (c - u'0');
            decimals += afterMark;
            if (++count > 15)
                return std::nullopt;
        } else if ((c == u',' || c == u'.') && !afterMark && i > 0 && i + 1 < text.size()) {
            afterMark = true;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0)
        return std::nullopt;
    double scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return static_cast<double>(digits) / scale;
}

} // namespace tarvik::testing
