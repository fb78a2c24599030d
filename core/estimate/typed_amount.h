#pragma once

// A number the user typed or pasted into a cell of the estimate, read as
// people write it. Unlike the stored texts (readAmount), a typed text never
// takes an exponent: "1e309" in a length is a slip, not a length. Group
// marks are read only where they can mean nothing else: spaces (plain,
// no-break, thin) between groups of three digits before the separator, and
// the other mark ("." where the separator is ",") likewise, but only when
// the separator follows ("65.000,50"); "65.000" alone is refused as
// ambiguous. A money cell also drops a trailing "₽", "руб", "руб." or "р.".

#include "estimate/money.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

enum class TypedAmountError {
    None,
    NotANumber, // no digit at all
    Foreign,    // a character no number has; `detail` is it
    Exponent,   // "1e5"
    Negative,
    MisplacedGroup,  // a space or mark that does not part groups of three
    AmbiguousStop,   // "65.000": thousands or a fraction?
    TwoSeparators,   // `detail` is the separator
    TooManyDecimals, // beyond the cell's decimals
    TooLarge,
};

struct TypedAmount {
    Amount units; // of 10^-decimals
    TypedAmountError error = TypedAmountError::None;
    std::u16string detail;
};

enum class TypedCell { Number, Money };

TypedAmount readTypedAmount(std::u16string_view text, char16_t separator, int decimals, TypedCell cell);

// Why the text was refused, in one sentence for the user; empty for None.
std::u16string typedAmountReason(const TypedAmount& amount, std::u16string_view text, char16_t separator,
                                 int decimals);

// A typed length, area or mass: refused for what readTypedAmount refuses
// short of its decimals and size, which the calculator judges; the text
// with its group marks dropped otherwise.
struct TypedQuantity {
    std::u16string text;
    TypedAmountError error = TypedAmountError::None;
    std::u16string reason; // empty when taken
};
TypedQuantity typedQuantity(std::u16string_view text, char16_t separator);

// "1247469,63" as "1 247 469,63", a thin space between thousands.
std::u16string groupedThousands(std::u16string_view plain, char16_t separator);

} // namespace tarvik
