#pragma once

// A strict JSON reader that walks the bytes as the caller asks for them,
// building nothing the caller does not keep (RFC 8259, with duplicate keys
// left to the caller), and a writer of JSON strings. They are the
// program's own because the page pays for every byte of its WebAssembly:
// Debian's nlohmann-json, read through its SAX interface and written
// through its serializer, made it 23.5 KB (gzip) larger, most of that the
// C library's printf and strtod, which the library's lexer and serializer
// call. Strict because the files it reads may be damaged or hostile:
// invalid UTF-8 is an error, never a replacement character, and nesting is
// limited, so neither memory nor the stack depends on what a file holds.

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

// The bytes up to the first that does not begin a whole, well-formed
// UTF-8 sequence: all of them where they are UTF-8 throughout.
std::string_view utf8Prefix(std::string_view bytes);

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

// Bytes appended to a string through a small buffer of its own: every
// write is checked against the buffer's end, and nothing is written into
// room counted in advance. A file of megabytes is written a few bytes at a
// time, so the checks are kept to a compare each, with no call: a plain
// array rather than std::array, no std::min, whose calls stay calls in a
// build for size.
class Appender {
public:
    explicit Appender(std::string& out) : out_(out) {}
    ~Appender() { flush(); }
    Appender(const Appender&) = delete;
    Appender& operator=(const Appender&) = delete;

    [[gnu::always_inline]] void put(char c)
    {
        if (used_ == capacity)
            flush();
        buffer_[used_++] = static_cast<char8_t>(c);
    }

    void put(std::string_view text) { putEach(text.data(), text.size()); }

    // Units below 0x80, a byte each.
    void putAscii(const char16_t* units, std::size_t count) { putEach(units, count); }

    // Hands what is buffered to the string.    // Hands what is buffered to the string.
    void flush()
    {
        out_.append(reinterpret_cast<const char*>(buffer_), used_);
        used_ = 0;
    }

private:
    static constexpr std::size_t capacity = 256;

    // Byte by byte rather than by memcpy: most runs are a few bytes, and
    // WebAssembly's memcpy is a call.
    template <typename Unit> void putEach(const Unit* units, std::size_t count)
    {
        while (count != 0) {
            if (used_ == capacity)
                flush();
            const std::size_t room = capacity - used_;
            const std::size_t n = count < room ? count : room;
            for (std::size_t k = 0; k < n; ++k)
                buffer_[used_ + k] = static_cast<char8_t>(units[k]);
            used_ += n;
            units += n;
            count -= n;
        }
    }

    std::string& out_;
    // Not char, which may alias anything: a store to it would make the
    // compiler read used_ from memory again after every byte.
    char8_t buffer_[capacity];
    std::size_t used_ = 0;
};

// Appends `text` as a JSON string, quoted and escaped, in UTF-8. Each unit
// `from` is written as `to` (a number's decimal separator).
void writeString(Appender& out, std::u16string_view text, char16_t from = 0, char16_t to = 0);

} // namespace tarvik::json
