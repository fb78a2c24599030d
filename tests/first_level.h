#pragma once

// The first picker's items of a two-level kind, worked out from the rule as
// a user reads it off the size texts, not by the product's code.

#include "catalogue/family.h"

#include <span>
#include <string_view>
#include <vector>

namespace tarvik::testing {

// A size text's first level is what stands before its first Latin small
// "x", or the empty text when it has none. Each size adds its first level
// unless that equals the first level of the size before it (the empty text
// before the first size), so only runs of equal first levels merge.
inline std::vector<std::u16string_view> derivedFirstLevels(std::span<const std::u16string_view> sizes)
{
    std::vector<std::u16string_view> levels;
    std::u16string_view previous;
    for (const std::u16string_view size : sizes) {
        const std::size_t x = size.find(u'x');
        const std::u16string_view level =
            x == std::u16string_view::npos ? std::u16string_view() : size.substr(0, x);
        if (level != previous)
            levels.push_back(level);
        previous = level;
    }
    return levels;
}

// A kind with a first-level list of its own shows that list instead.
inline std::vector<std::u16string_view> firstLevels(const catalogue::KindTable& table)
{
    if (!table.firstLevel.empty())
        return {table.firstLevel.begin(), table.firstLevel.end()};
    return derivedFirstLevels(table.sizes);
}

} // namespace tarvik::testing
