#include "family.h"

namespace tarvik::catalogue {

// Accordion order: entry k - 1 belongs to section k.
extern const std::array<const Family*, 12> families{
    &rebar,         &beams, &squareBar, &roundBar,    &sheet,  &flatStrip,
    &profiledSheet, &mesh,  &roundPipe, &profilePipe, &angles, &channels,
};

} // namespace tarvik::catalogue
