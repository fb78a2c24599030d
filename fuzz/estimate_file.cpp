// The estimate file's reader on any bytes: it never crashes, and a file it
// reads is written to bytes that read back to the same estimate, so what
// was opened is saved without loss; the lines it hands back from a file it
// cannot read make an estimate that saves and reads back as well.

#include "estimate/estimate_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::uint64_t zero()
{
    return 0;
}

[[noreturn]] void report(const char* what, const std::string& bytes)
{
    std::fprintf(stderr, "\n%s\n%s\n", what, bytes.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tarvik::estimateFileName(bytes);
    for (char16_t separator : {u',', u'.'}) {
        const tarvik::EstimateFileRead read = tarvik::readEstimateFile(bytes, separator, zero, zero);
        if (read.wholeLines.size() > read.linesHeld)
            report("More lines handed back than the file held:", std::string(bytes));
        tarvik::Estimate recovered(separator, zero, zero);
        for (const tarvik::EstimateLine& line : read.wholeLines)
            recovered.restore(line);
        const tarvik::Estimate& kept = read.estimate ? *read.estimate : recovered;
        const std::string written = tarvik::estimateFileBytes(kept);
        const tarvik::EstimateFileRead again = tarvik::readEstimateFile(written, separator, zero, zero);
        if (!again.estimate)
            report("A file read was written to bytes that do not read back:", written);
        if (tarvik::estimateFileBytes(*again.estimate) != written)
            report("A file read was written to bytes that read back to another estimate:", written);
    }
    return 0;
}
