#pragma once

// An estimate filled as a user's would be: lengths, areas and masses of three
// families, most priced, some in pieces, so that saving, reading and drawing
// it cost what they would.

#include "tests/estimate/estimate_fixture.h"

#include <cstddef>
#include <string>

namespace tarvik::testing {

inline std::u16string wholeNumberText(std::size_t n)
{
    return formatAmount(Amount(n), 0, u',');
}

inline void fillEstimate(Estimate& e, std::size_t lines)
{
    for (std::size_t i = 0; e.size() < lines; ++i) {
        const std::u16string number = wholeNumberText(i % 997 + 1) + u",5";
        const Calculation c = i % 3 == 0   ? rebar12(number, static_cast<int>(i % 2))
                              : i % 3 == 1 ? sheet4(number)
                                           : weldedMesh(number);
        const std::uint64_t id = e.add(c).id;
        if (i % 10 != 0)
            e.editPrice(id, wholeNumberText(50000 + i) + u",25");
        if (i % 3 == 0 && i % 4 == 0)
            e.editPieceSize(id, u"11,7");
    }
}

} // namespace tarvik::testing
