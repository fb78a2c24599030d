#pragma once

// A whole number in decimal digits, as counts, line numbers and densities
// are written ("12", "7850"): no grouping, no separator.

#include <cstddef>
#include <string>

namespace tarvik {

std::u16string countText(std::size_t n);

} // namespace tarvik
