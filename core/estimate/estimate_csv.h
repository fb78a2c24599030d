#pragma once

// The estimate's table as CSV bytes for a spreadsheet and as text to copy.

#include "estimate/estimate.h"

#include <string>

namespace tarvik {

// UTF-8 with a byte order mark, CRLF line ends, ";" between fields where the
// separator is "," (so the numbers stay whole) and "," otherwise, fields
// quoted as RFC 4180 asks.
std::string estimateCsv(const Estimate& estimate);

// The same rows with tabs between fields and "\n" after each, as a
// spreadsheet takes a paste; a tab or line end inside a field reads as a space.
std::u16string estimateTabText(const Estimate& estimate);

} // namespace tarvik
