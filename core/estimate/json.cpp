#include "estimate/json.h"

#include "text/utf8.h"

#include <nlohmann/json.hpp>

namespace tarvik::json {
namespace {

using Json = nlohmann::json;

// The library's SAX interface over ours, counting the depth.
class Adapter {
public:
    Adapter(Events& events, int maxDepth) : events_(events), maxDepth_(maxDepth) {}

    bool null() { return other(); }
    bool boolean(bool) { return other(); }
    bool number_integer(Json::number_integer_t) { return other(); }
    bool number_unsigned(Json::number_unsigned_t) { return other(); }
    bool number_float(Json::number_float_t, const Json::string_t&) { return other(); }
    bool binary(Json::binary_t&) { return other(); }
    bool string(Json::string_t& text)
    {
        events_.string(text);
        return true;
    }
    bool key(Json::string_t& text)
    {
        events_.key(text);
        return true;
    }
    bool start_object(std::size_t)
    {
        if (!deeper())
            return false;
        events_.startObject();
        return true;
    }
    bool end_object()
    {
        --depth_;
        events_.endObject();
        return true;
    }
    bool start_array(std::size_t)
    {
        if (!deeper())
            return false;
        events_.startArray();
        return true;
    }
    bool end_array()
    {
        --depth_;
        events_.endArray();
        return true;
    }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e)
    {
        position_ = position;
        // The lexer's words are the only sign of which fault it met; the
        // tests of damaged files hold them to it.
        invalidUtf8_ = std::string_view(e.what()).find("ill-formed UTF-8") != std::string_view::npos;
        return false;
    }

    bool tooDeep() const { return tooDeep_; }
    bool invalidUtf8() const { return invalidUtf8_; }
    std::size_t position() const { return position_; }

private:
    bool other()
    {
        events_.otherValue();
        return true;
    }
    bool deeper()
    {
        if (depth_ >= maxDepth_) {
            tooDeep_ = true;
            return false;
        }
        ++depth_;
        return true;
    }

    Events& events_;
    int maxDepth_;
    int depth_ = 0;
    bool tooDeep_ = false;
    bool invalidUtf8_ = false;
    std::size_t position_ = 0;
};

} // namespace

std::optional<Error> parse(std::string_view bytes, int maxDepth, Events& events)
{
    // The lexer takes a zero byte between values for the end of the input,
    // so a document followed by one and by anything else would read: the
    // parse stops there, and a zero byte anywhere is an error.
    const std::size_t zero = bytes.find('\0');
    const std::string_view parsed = bytes.substr(0, zero);
    Adapter adapter(events, maxDepth);
    if (Json::sax_parse(parsed.begin(), parsed.end(), &adapter)) {
        if (zero != std::string_view::npos)
            return Error::NotJson;
        return std::nullopt;
    }
    if (adapter.tooDeep())
        return Error::TooDeep;
    if (adapter.invalidUtf8())
        return Error::InvalidUtf8;
    // The lexer counts the end of the input as one more character read.
    if (adapter.position() > parsed.size() && zero == std::string_view::npos)
        return Error::Truncated;
    return Error::NotJson;
}

// One serializer for many strings: making one asks for the locale and
// makes room for indentation, which a string of a few bytes would pay for
// each time. The serializer is the library's own, from its detail
// namespace: its public dump() makes a new one for every value.
struct StringWriter::Serializer {
    explicit Serializer(std::string& out) : serializer(nlohmann::detail::output_adapter<char>(out), ' ') {}

    nlohmann::detail::serializer<Json> serializer;
    Json value = Json::string_t();
    std::u16string replaced;
};

StringWriter::StringWriter(std::string& out) : serializer_(std::make_unique<Serializer>(out)) {}

StringWriter::~StringWriter() = default;

void StringWriter::write(std::u16string_view text, char16_t from, char16_t to)
{
    auto& utf8Text = serializer_->value.get_ref<Json::string_t&>();
    utf8Text.clear();
    if (from != to && text.find(from) != std::u16string_view::npos) {
        std::u16string& replaced = serializer_->replaced;
        replaced.assign(text);
        for (char16_t& c : replaced) {
            if (c == from)
                c = to;
        }
        appendUtf8(utf8Text, replaced);
    } else {
        appendUtf8(utf8Text, text);
    }
    serializer_->serializer.dump(serializer_->value, false, false, 0);
}

} // namespace tarvik::json
