#include "estimate/json.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tarvik::json {
namespace {

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// How many bytes from the start are well-formed UTF-8 (RFC 3629): no
// overlong forms, no surrogates, nothing above U+10FFFF, no sequence cut
// short.
std::size_t utf8Length(std::string_view bytes)
{
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // Eight bytes at a time while they are ASCII, as a file mostly is.
        if (n - i >= 8) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, bytes.data() + i, 8);
            if ((eight & 0x8080808080808080u) == 0) {
                i += 8;
                continue;
            }
        }
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        if (n - i < length)
            return i;
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < low || second > high)
            return i;
        for (std::size_t k = 2; k < length; ++k) {
            if (!isContinuation(static_cast<unsigned char>(bytes[i + k])))
                return i;
        }
        i += length;
    }
    return n;
}

// A unit written as itself inside a string, and a byte read as itself.
[[gnu::always_inline]] inline bool isPlain(char16_t c)
{
    return c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void writeEscape(Appender& out, char letter)
{
    out.put('\\');
    out.put(letter);
}

void writeHex4(Appender& out, unsigned unit)
{
    constexpr std::string_view digits = "0123456789abcdef";
    writeEscape(out, 'u');
    for (int shift = 12; shift >= 0; shift -= 4)
        out.put(digits[(unit >> shift) & 0xF]);
}

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

std::string_view utf8Prefix(std::string_view bytes)
{
    return bytes.substr(0, utf8Length(bytes));
}

Cursor::Cursor(std::string_view bytes, int maxDepth) : bytes_(bytes), maxDepth_(maxDepth)
{
    if (utf8Length(bytes_) != bytes_.size())
        throw Failure{Error::InvalidUtf8};
    if (bytes_.starts_with("\xEF\xBB\xBF"))
        at_ = 3;
}

void Cursor::fail() const
{
    throw Failure{at_ >= bytes_.size() ? Error::Truncated : Error::NotJson};
}

void Cursor::skipSpace()
{
    while (at_ < bytes_.size()) {
        const char c = bytes_[at_];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return;
        ++at_;
    }
}

char Cursor::peek()
{
    skipSpace();
    return at_ < bytes_.size() ? bytes_[at_] : '\0';
}

bool Cursor::take(char c)
{
    skipSpace();
    if (at_ < bytes_.size() && bytes_[at_] == c) {
        ++at_;
        return true;
    }
    return false;
}

void Cursor::expect(char c)
{
    if (!take(c))
        fail();
}

std::u16string Cursor::string()
{
    std::u16string out;
    scanString(&out);
    return out;
}

void Cursor::string(std::u16string& out)
{
    out.clear();
    scanString(&out);
}

unsigned Cursor::hexQuad()
{
    unsigned unit = 0;
    for (int k = 0; k < 4; ++k) {
        if (at_ >= bytes_.size())
            fail();
        const int digit = hexValue(bytes_[at_]);
        if (digit < 0)
            fail();
        unit = unit * 16 + static_cast<unsigned>(digit);
        ++at_;
    }
    return unit;
}

void Cursor::scanString(std::u16string* out)
{
    expect('"');
    const char* const bytes = bytes_.data();
    const std::size_t n = bytes_.size();
    // Decoded through a pointer into room for the most units the string can
    // give, one per byte up to its closing quote: appending a unit at a time
    // costs a call and a capacity check each where the optimiser does not
    // inline them. A string that is not JSON stops the loop below no later.
    char16_t* to = nullptr;
    std::size_t had = 0;
    if (out) {
        std::size_t end = at_;
        while (end < n && bytes[end] != '"')
            end += bytes[end] == '\\' ? 2 : 1;
        had = out->size();
        out->resize(had + (std::min(end, n) - at_));
        to = out->data() + had;
    }
    char16_t* const first = to;
    for (;;) {
        std::size_t run = at_;
        while (run < n && isPlain(static_cast<unsigned char>(bytes[run])))
            ++run;
        if (to) {
            for (std::size_t k = at_; k < run; ++k)
                *to++ = static_cast<char16_t>(bytes[k]);
        }
        at_ = run;
        if (at_ >= n)
            fail();
        const auto b = static_cast<unsigned char>(bytes[at_]);
        if (b == '"') {
            ++at_;
            if (out)
                out->resize(had + static_cast<std::size_t>(to - first));
            return;
        }
        if (b < 0x20)
            fail();
        if (b == '\\') {
            ++at_;
            if (at_ >= n)
                fail();
            char16_t unit = 0;
            switch (bytes[at_++]) {
            case '"':
                unit = u'"';
                break;
            case '\\':
                unit = u'\\';
                break;
            case '/':
                unit = u'/';
                break;
            case 'b':
                unit = u'\b';
                break;
            case 'f':
                unit = u'\f';
                break;
            case 'n':
                unit = u'\n';
                break;
            case 'r':
                unit = u'\r';
                break;
            case 't':
                unit = u'\t';
                break;
            case 'u':
                unit = static_cast<char16_t>(hexQuad());
                break;
            default:
                --at_;
                fail();
            }
            if (to)
                *to++ = unit;
            continue;
        }
        // The constructor checked the sequence is whole and well formed.
        const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        char32_t c = b & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(bytes[at_ + k]) & 0x3F);
        at_ += length;
        if (!to)
            continue;
        if (c >= 0x10000) {
            *to++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            *to++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            *to++ = static_cast<char16_t>(c);
        }
    }
}

void Cursor::skipWord(std::string_view word)
{
    for (char c : word) {
        if (at_ >= bytes_.size() || bytes_[at_] != c)
            fail();
        ++at_;
    }
}

void Cursor::skipNumber()
{
    const auto digits = [this] {
        if (at_ >= bytes_.size() || !isDigit(bytes_[at_]))
            fail();
        while (at_ < bytes_.size() && isDigit(bytes_[at_]))
            ++at_;
    };
    if (bytes_[at_] == '-')
        ++at_;
    if (at_ < bytes_.size() && bytes_[at_] == '0')
        ++at_;
    else
        digits();
    if (at_ < bytes_.size() && bytes_[at_] == '.') {
        ++at_;
        digits();
    }
    if (at_ < bytes_.size() && (bytes_[at_] == 'e' || bytes_[at_] == 'E')) {
        ++at_;
        if (at_ < bytes_.size() && (bytes_[at_] == '+' || bytes_[at_] == '-'))
            ++at_;
        digits();
    }
}

std::size_t Cursor::skipValue()
{
    return skipValue(0);
}

std::size_t Cursor::skipValue(int depth)
{
    const char c = peek();
    if (c == '{' || c == '[') {
        if (depth >= maxDepth_)
            throw Failure{Error::TooDeep};
        ++at_;
        const char close = c == '{' ? '}' : ']';
        if (take(close))
            return 0;
        std::size_t values = 0;
        do {
            if (c == '{') {
                skipSpace();
                scanString(nullptr);
                expect(':');
            }
            skipValue(depth + 1);
            ++values;
        } while (take(','));
        expect(close);
        return values;
    }
    switch (c) {
    case '"':
        scanString(nullptr);
        break;
    case 't':
        skipWord("true");
        break;
    case 'f':
        skipWord("false");
        break;
    case 'n':
        skipWord("null");
        break;
    default:
        if (c != '-' && !isDigit(c))
            fail();
        skipNumber();
    }
    return 0;
}

void Cursor::finish()
{
    skipSpace();
    if (at_ != bytes_.size())
        throw Failure{Error::NotJson};
}

void writeString(Appender& out, std::u16string_view text, char16_t from, char16_t to)
{
    out.put('"');
    // Through the pointer: in a build for size, even the view's operator[]
    // may be a call.
    const char16_t* units = text.data();
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        // Most of a file is runs of units written as themselves.
        std::size_t run = i;
        while (run < n && isPlain(units[run]) && units[run] != from)
            ++run;
        if (run != i) {
            out.putAscii(units + i, run - i);
            i = run - 1;
            continue;
        }
        const char16_t c = units[i] == from ? to : units[i];
        if (isPlain(c)) {
            out.put(static_cast<char>(c));
        } else if (c == u'"' || c == u'\\') {
            writeEscape(out, static_cast<char>(c));
        } else if (c == u'\n') {
            writeEscape(out, 'n');
        } else if (c == u'\t') {
            writeEscape(out, 't');
        } else if (c == u'\r') {
            writeEscape(out, 'r');
        } else if (c < 0x20) {
            writeHex4(out, c);
        } else if (c < 0x800) {
            out.put(static_cast<char>(0xC0 | (c >> 6)));
            out.put(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (isHighSurrogate(c) && i + 1 < n && isLowSurrogate(units[i + 1])) {
            const char32_t full = 0x10000 + ((char32_t{c} - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            out.put(static_cast<char>(0xF0 | (full >> 18)));
            out.put(static_cast<char>(0x80 | ((full >> 12) & 0x3F)));
            out.put(static_cast<char>(0x80 | ((full >> 6) & 0x3F)));
            out.put(static_cast<char>(0x80 | (full & 0x3F)));
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            // A lone surrogate has no UTF-8 form; escaped, it reads back as it was.
            writeHex4(out, c);
        } else {
            out.put(static_cast<char>(0xE0 | (c >> 12)));
            out.put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.put(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    out.put('"');
}

} // namespace tarvik::json
