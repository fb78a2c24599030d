#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace tarvik {

// A failure that ends a handler and is reported to the user in the error box:
// a text that does not convert to a number, or a result beyond the range of
// the extended format.
class CalcError : public std::exception {
public:
    explicit CalcError(std::u16string message) : message_(std::move(message)) {}
    const std::u16string& message() const noexcept { return message_; }
    const char* what() const noexcept override { return "calculation error"; }

private:
    std::u16string message_;
};

CalcError notAFloat(std::u16string_view text);
CalcError floatingPointOverflow();

// The error box's text: the message, with a full stop appended when its last
// character sorts after the full stop.
std::u16string errorBoxText(std::u16string message);

// Where an error box's text quotes what the user gave: a face draws that
// part isolated from the sentence around it, so that a right-to-left
// character in it cannot turn the sentence round. The text itself, what is
// copied from the box, stays exact.
struct QuotedSpan {
    std::size_t start = 0, length = 0; // length 0: nothing quoted
};
QuotedSpan quotedInput(std::u16string_view boxText);

} // namespace tarvik
