#pragma once

// The rules for what the user types and pastes into a number, as plain
// functions of the field's text: the calculator applies them to its number
// field, the estimate to its cells.

#include <string>
#include <string_view>

namespace tarvik {

// What a key gives the field: the text it inserts in place of the selection
// (empty: the key is dropped) and, for a dropped printable key, one short
// sentence saying why (empty: dropped silently, as control keys are).
struct KeyVerdict {
    std::u16string inserted;
    std::u16string reason;
};

// The field's text and its selection (equal ends: the caret), in UTF-16
// code units.
struct FieldState {
    std::u16string_view text;
    int selectionStart = 0;
    int selectionEnd = 0;
};

// More than this many characters after the separator stop further digits
// typed after it, so six digits can be typed there.
inline constexpr int fractionDigitLimit = 5;

// How long a face shows why a key was refused.
inline constexpr int inputHintMilliseconds = 4000;

KeyVerdict numberKeyVerdict(const FieldState& field, char16_t key, char16_t separator);

// The number field's rule for a cell that takes at most `fractionDigits`
// digits after the separator (0: whole numbers only): a key that would
// leave more there is refused, saying how many the cell takes. A space
// typed after a digit of the whole part is taken: it parts thousands.
KeyVerdict cellKeyVerdict(const FieldState& field, char16_t key, char16_t separator, int fractionDigits);

// A pasted text as it reaches the field: white space and line breaks at
// either end dropped, and the group spaces between digits ("1 250,50"), so a
// spreadsheet cell's "12,5" and its line break paste as "12,5". What still
// does not convert is left for the conversion to report.
std::u16string pastedNumberText(std::u16string_view pasted);

} // namespace tarvik
