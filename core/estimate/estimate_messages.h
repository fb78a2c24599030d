#pragma once

// What a face says about an estimate's lines: why an edit was refused and
// what a line's note is; why its storage refused. One wording for every face.

#include "estimate/estimate.h"
#include "estimate/estimate_storage.h"

#include <string>

namespace tarvik {

// The text for an edit the estimate refused; empty when it was taken.
std::u16string editErrorText(const EditResult& result);

// The notes of line `row`: its standing against the catalogue and a cost
// that cannot be given; empty when it has none. Notes are joined by "; ".
std::u16string lineNotes(const Estimate& estimate, std::size_t row);

// Why a storage refused, in words: "на диске нет места".
std::u16string storageProblemText(const StorageError& error);

} // namespace tarvik
