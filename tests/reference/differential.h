#pragma once

// Runs the production code and the reference side by side on one input (and,
// where `long double` is the x87 format, the old x87 path too) and describes
// the first difference. Shared by the table-driven test and the
// fuzz targets, so both judge a difference the same way.

#include "tests/reference/reference.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik::differential {

// Printable form of a UTF-16 text: ASCII as is, anything else as \uXXXX, and
// long texts shortened in the middle.
std::string printable(std::u16string_view text);
// The fields of an extended value.
std::string describe(const reference::Extended& x);

// Each returns nothing when production and reference agree.
std::optional<std::string> compareParse(std::u16string_view text, char16_t separator);
// x must be canonical and finite.
std::optional<std::string> compareFormat(const reference::Extended& x, char16_t separator);

// The calculate handler driven through a fake window over every product kind
// of every family and both modes, once for each distinct unit mass of the
// catalogue, against the reference.
class CatalogueRun {
public:
    CatalogueRun();
    ~CatalogueRun();
    std::optional<std::string> compare(std::u16string_view input, char16_t separator);
    // How many (unit mass, mode) pairs one compare() call checks.
    int pairsPerInput() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace tarvik::differential
