#pragma once

// One estimate as the bytes of its file and back: a versioned JSON object
// whose numbers are all strings, lines naming their size by family, kind
// and size text and carrying the unit mass they were computed with.

#include "core/estimate.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

inline constexpr int estimateFileVersion = 1;

std::string estimateFileBytes(const Estimate& estimate);

enum class EstimateFileError { None, Unreadable, NewerVersion };

struct EstimateFileRead {
    EstimateFileError error = EstimateFileError::None;
    std::optional<Estimate> estimate;
};

// Reads into an estimate with the given separator, ids and clock; a file
// that is damaged in any part is unreadable as a whole.
EstimateFileRead readEstimateFile(std::string_view bytes, char16_t separator, Estimate::Source ids,
                                  Estimate::Source clock);

} // namespace tarvik
