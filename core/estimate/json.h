#pragma once

// JSON through Debian's nlohmann-json, kept behind this small interface:
// the library's headers take seconds to compile, and only json.cpp pays
// that. Reading is its SAX parser, strict (RFC 8259: invalid UTF-8, a lone
// surrogate escape, a control character in a string or anything after the
// document's value is an error; duplicate keys are left to the caller,
// who sees every key), with nesting limited, so neither memory nor the
// stack depends on what a file holds. Writing is its serializer, for the
// strings; the caller lays out the rest.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik::json {

enum class Error {
    NotJson,
    Truncated, // the bytes end before the value does
    InvalidUtf8,
    TooDeep,
};

// The document's parts in the order they come; strings in UTF-8, which
// the parser has checked, and which the callee may move from.
class Events {
public:
    virtual ~Events() = default;
    virtual void startObject() = 0;
    virtual void key(std::string& text) = 0;
    virtual void endObject() = 0;
    virtual void startArray() = 0;
    virtual void endArray() = 0;
    virtual void string(std::string& text) = 0;
    // A number, true, false or null.
    virtual void otherValue() = 0;
};

// Parses `bytes` (a leading byte-order mark skipped), telling `events`
// each part; none when the whole is JSON, else why it is not. Nesting
// deeper than `maxDepth` stops the parse.
std::optional<Error> parse(std::string_view bytes, int maxDepth, Events& events);

// Appends JSON strings, quoted and escaped, to one std::string, which the
// caller may append to in between.
class StringWriter {
public:
    explicit StringWriter(std::string& out);
    ~StringWriter();
    StringWriter(const StringWriter&) = delete;
    StringWriter& operator=(const StringWriter&) = delete;

    // `text` in UTF-8, a lone surrogate as U+FFFD (it has no UTF-8 form),
    // each unit `from` as `to` (a number's decimal separator).
    void write(std::u16string_view text, char16_t from = 0, char16_t to = 0);

private:
    struct Serializer;
    std::unique_ptr<Serializer> serializer_;
};

} // namespace tarvik::json
