#pragma once

// What every fuzz target does with a difference: print both sides and stop,
// so libFuzzer keeps the input as a crash artifact.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace tarvik::fuzz {

inline void abortOnDifference(const std::optional<std::string>& difference)
{
    if (!difference)
        return;
    std::fprintf(stderr, "\nDIFFERENCE: %s\n", difference->c_str());
    std::abort();
}

// Fuzz bytes as text: each byte one character (ISO 8859-1), so the digits,
// signs, separators and spaces are all one byte away, and a few non-ASCII
// characters (the no-break space among them) are reachable too.
inline std::u16string textOf(const unsigned char* data, std::size_t size)
{
    return std::u16string(data, data + size);
}

} // namespace tarvik::fuzz
