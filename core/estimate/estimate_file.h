#pragma once

// One estimate as the bytes of its file and back: a versioned JSON object
// whose numbers are all strings, whose lines name their size by family
// header, kind text and size text and carry the unit mass they were
// computed with. Numbers are written with "." whatever the locale and take
// the reader's separator on the way in, so a file opens under any locale.
//
// {"format": "tarvik-estimate", "version": "3", "name": "…",
//  "vatRate": "2200", "pricesIncludeVat": "1", "settingsEdited": "…",
//  "lines": [{"id", "family", "kind", "size", "metal", "grade", "density",
//             "ownDensity", "ownSection", "unitMass", "unitMassBits",
//             "area", "requested", "pieceSize", "pieces", "quantity",
//             "mass", "price", "priceUnit", "edited"}, …],
//  "deleted": {"<id>": "<when>", …}}
//
// Each change of the format is one more version, and every older one stays
// readable: version 1 lines lack the material's five fields and read as
// steel at the catalogue's density; lines before version 3 lack "priceUnit"
// ("tonne", "quantity" or "piece") and are priced per tonne. A file is
// written in the newest.
//
// The reader is strict: a file damaged in any part is unreadable as a
// whole, so nothing is silently dropped and nothing half-read is saved over
// the original; what of it did read is handed back beside, for the user to
// take up as a new estimate.

#include "estimate/estimate.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

inline constexpr int estimateFileVersion = 3;

// Beyond these a file is refused rather than read: a hostile file costs at
// most this much memory and time.
inline constexpr std::size_t maxEstimateFileBytes = std::size_t{64} << 20;
inline constexpr std::size_t maxEstimateLines = 100'000;
inline constexpr std::size_t maxEstimateTextUnits = 1000; // UTF-16 units of a name, kind or size
inline constexpr std::size_t maxEstimateNumberText = 40;  // characters of a number's text

std::string estimateFileBytes(const Estimate& estimate);

// What the program does with a file: opens it, keeps it aside, or leaves it
// alone for the newer program that wrote it.
enum class EstimateFileError { None, Unreadable, NewerVersion };

// Why, for tests and logs.
enum class EstimateFileFault {
    None,
    NotJson,      // not JSON at all
    Truncated,    // JSON that stops before its end
    InvalidUtf8,  // bytes that are not UTF-8
    TooLarge,     // beyond the limits above
    TooDeep,      // nested deeper than the format ever is
    WrongFormat,  // JSON, but not an estimate (missing or mistyped field, a duplicate key)
    BadValue,     // a field's text is not what the format allows
    NewerVersion, // written by a later version of the program
};

struct EstimateFileRead {
    EstimateFileError error = EstimateFileError::None;
    std::optional<Estimate> estimate;
    EstimateFileFault fault = EstimateFileFault::None;
    // Of an unreadable file: the lines that read whole, in the file's order
    // and with the reader's separator, a line whose id came before kept
    // once. None from a file that says it is another program's or a later
    // version's.
    std::vector<EstimateLine> wholeLines;
    // The lines the file held, whole or not, as far as it reads as JSON: a
    // file cut short counts the line it was cut in and none after it.
    std::size_t linesHeld = 0;
    // Of an unreadable file: its name, where that much of it reads.
    std::optional<std::u16string> nameHeld;
};

// Reads into an estimate with the given separator, ids and clock.
EstimateFileRead readEstimateFile(std::string_view bytes, char16_t separator, Estimate::Source ids,
                                  Estimate::Source clock);

// Whether the bytes name this format at all: an unreadable file that does
// not is some other file chosen by mistake, not a damaged estimate.
bool namesEstimateFormat(std::string_view bytes);

// The estimate's name from its file, for a list of estimates; none when
// the file does not read.
std::optional<std::u16string> estimateFileName(std::string_view bytes);

} // namespace tarvik
