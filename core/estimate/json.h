#pragma once

// A strict JSON reader that walks the bytes as the caller asks for them,
// building nothing the caller does not keep (RFC 8259, with duplicate keys
// left to the caller). It is small because no JSON library is available
// on every toolchain the core is built with, and strict because the files
// it reads may be damaged or hostile: invalid UTF-8 is an error, never a
// replacement character, and nesting is limited, so neither memory nor
// the stack depends on what a file holds.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvik::json {

enum class Error {
    NotJson,
    Truncated, // the bytes end before the value does
    InvalidUtf8,
    TooDeep,
};

// Thrown by Cursor; nothing else of it leaves the reader that uses it.
struct Failure {
    Error error;
};

class Cursor {
public:
    // Checks the bytes are UTF-8 as a whole; a leading byte-order mark is
    // skipped. `maxDepth`: how deep skipValue() may go.
    Cursor(std::string_view bytes, int maxDepth);

    std::size_t offset() const { return at_; }
    // Goes back to where a value skipped earlier began.
    void seek(std::size_t offset) { at_ = offset; }

    // The next byte that is not white space, without taking it; 0 at the end.
    char peek();
    // Takes `c` when it comes next.
    bool take(char c);
    // Takes `c` or fails.
    void expect(char c);
    // A string value decoded to UTF-16. Escaped lone surrogates are kept:
    // any UTF-16 text a program holds is written and read back as it was.
    std::u16string string();
    // The same into `out`, which keeps its room from one string to the next.
    void string(std::u16string& out);
    // Skips one value of any kind, checking it is JSON throughout; answers
    // how many values an array or object holds, 0 for any other value.
    std::size_t skipValue();
    // Nothing but white space may follow the document's value.
    void finish();

private:
    [[noreturn]] void fail() const;
    void skipSpace();
    std::size_t skipValue(int depth);
    // The string whose opening quote comes next, decoded into `out` unless
    // it is null.
    void scanString(std::u16string* out);
    void skipNumber();
    void skipWord(std::string_view word);
    unsigned hexQuad();

    std::string_view bytes_;
    std::size_t at_ = 0;
    int maxDepth_;
};

// The most bytes writeString() takes for a text of `units` UTF-16 units: a
// control character or a lone surrogate is escaped in six.
constexpr std::size_t maxStringBytes(std::size_t units)
{
    return 2 + 6 * units;
}

// Writes `text` as a JSON string, quoted and escaped, in UTF-8, at `at`,
// which has room for maxStringBytes(text.size()); returns where it ended.
// Each unit `from` is written as `to` (a number's decimal separator).
// Through a pointer rather than appended to a string: a file of megabytes
// would otherwise pay a call and a capacity check for every byte.
char* writeString(char* at, std::u16string_view text, char16_t from = 0, char16_t to = 0);

} // namespace tarvik::json
