#pragma once

// What the saving tests compare an estimate by: its CSV, which holds every
// number a user sees, hashed (FNV-1a) so that two processes agree.

#include "estimate/estimate_csv.h"

#include <cstdint>
#include <string>

namespace tarvik::testing {

inline std::uint64_t estimateDigest(const Estimate& estimate)
{
    std::uint64_t h = 0xcbf29ce484222325u;
    for (unsigned char c : estimateCsv(estimate)) {
        h ^= c;
        h *= 0x100000001b3u;
    }
    return h;
}

} // namespace tarvik::testing
