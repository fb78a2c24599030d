#pragma once

// A whole number in decimal digits, as counts, line numbers and densities
// are written ("12", "7850"), and line ids: no grouping, no separator.

#include <cstdint>
#include <string>

namespace tarvik {

std::u16string countText(std::uint64_t n);

} // namespace tarvik
