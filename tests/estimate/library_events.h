#pragma once

// What a library had to tell since it was last asked, as its events.

#include "estimate/estimate_library.h"

#include <vector>

namespace tarvik::testing {

inline std::vector<LibraryEvent> events(EstimateLibrary& library)
{
    std::vector<LibraryEvent> out;
    for (const LibraryMessage& m : library.takeMessages())
        out.push_back(m.event);
    return out;
}

} // namespace tarvik::testing
