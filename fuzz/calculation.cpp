// The calculate handler: one typed text against every unit mass of the
// catalogue in both modes, result text or error message compared with the
// reference's.

#include "report.h"
#include "tests/reference/differential.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static tarvik::differential::CatalogueRun run;
    tarvik::fuzz::abortOnDifference(run.compare(tarvik::fuzz::textOf(data, size), u','));
    return 0;
}
