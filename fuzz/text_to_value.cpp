// Text to number: the production conversion against the exact reference (and the old x87 path, where there is
// one), under both separators.

#include "report.h"
#include "tests/reference/differential.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string text = tarvik::fuzz::textOf(data, size);
    tarvik::fuzz::abortOnDifference(tarvik::differential::compareParse(text, u','));
    tarvik::fuzz::abortOnDifference(tarvik::differential::compareParse(text, u'.'));
    return 0;
}
