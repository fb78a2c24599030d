#pragma once

// A unit mass (a double from the catalogue) as a decimal text and back,
// without the C library: the shortest text that reads back to the very same
// double, so a stored line names the mass it was computed with.

#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// For a finite positive normal double: "0,89", "1234,5", "0,000123".
std::u16string doubleText(double value, char16_t separator);

// The double nearest to the text's Float80 reading (strToFloat); none for a
// text that does not read or a value outside the positive normal doubles.
std::optional<double> readDouble(std::u16string_view text, char16_t separator);

} // namespace tarvik
