#include "web/bridge.h"

#include <emscripten/emscripten.h>

// The page's side of the exchange (web/bridge.js).
extern "C" {
void tarvik_give_text(const char16_t* text, int length);
void tarvik_give_number(int number);
void tarvik_give_bytes(const char* bytes, int length);
void tarvik_arg_text(const char16_t* text, int length);
void tarvik_arg_utf8(const char* bytes, int length);
void tarvik_arg_number(int number);
// Calls the partner's method with the last `count` arguments. A text or
// bytes answer is written through tarvik_receive_* and its length returned.
int tarvik_call_page(int partner, const char* method, int count, int answer);
}

namespace tarvik::web {
namespace {

constexpr int argumentCount = Arguments::count;
std::array<Arguments::Argument, argumentCount> arguments;

// What the page answered the last call with, when it was a text or bytes.
std::u16string receivedText;
std::string receivedBytes;

enum Answer { Number = 0, Text = 1, Bytes = 2 };

} // namespace

Arguments Arguments::current()
{
    Arguments copy;
    copy.arguments_ = arguments;
    return copy;
}

int Arguments::integer(int index) const
{
    return arguments_.at(static_cast<std::size_t>(index)).number;
}

const std::u16string& Arguments::text(int index) const
{
    return arguments_.at(static_cast<std::size_t>(index)).text;
}

void give(std::u16string_view text)
{
    tarvik_give_text(text.data(), static_cast<int>(text.size()));
}

void give(int number)
{
    tarvik_give_number(number);
}

void giveBytes(std::string_view bytes)
{
    tarvik_give_bytes(bytes.data(), static_cast<int>(bytes.size()));
}

PageCall& PageCall::arg(int number)
{
    tarvik_arg_number(number);
    ++count_;
    return *this;
}

PageCall& PageCall::arg(std::u16string_view text)
{
    tarvik_arg_text(text.data(), static_cast<int>(text.size()));
    ++count_;
    return *this;
}

PageCall& PageCall::arg(std::string_view utf8)
{
    tarvik_arg_utf8(utf8.data(), static_cast<int>(utf8.size()));
    ++count_;
    return *this;
}

int PageCall::run()
{
    return tarvik_call_page(static_cast<int>(partner_), method_, count_, Number);
}

std::u16string PageCall::text()
{
    const int length = tarvik_call_page(static_cast<int>(partner_), method_, count_, Text);
    if (length < 0)
        return {};
    receivedText.resize(static_cast<std::size_t>(length));
    return std::move(receivedText);
}

std::optional<std::string> PageCall::bytes()
{
    const int length = tarvik_call_page(static_cast<int>(partner_), method_, count_, Bytes);
    if (length < 0)
        return std::nullopt;
    receivedBytes.resize(static_cast<std::size_t>(length));
    return std::move(receivedBytes);
}

} // namespace tarvik::web

using namespace tarvik::web;

// The page sets a call's arguments before making it.
extern "C" EMSCRIPTEN_KEEPALIVE void tarvik_set_number(int index, int number)
{
    if (index >= 0 && index < argumentCount)
        arguments[static_cast<std::size_t>(index)].number = number;
}

// Room for a text argument of `length` code units, which the page fills.
extern "C" EMSCRIPTEN_KEEPALIVE char16_t* tarvik_set_text(int index, int length)
{
    if (index < 0 || index >= argumentCount || length < 0)
        return nullptr;
    std::u16string& text = arguments[static_cast<std::size_t>(index)].text;
    text.assign(static_cast<std::size_t>(length), u'\0');
    return text.data();
}

// Room for the page's answer: a text of `length` code units, or at most
// `length` bytes, cut to what was written when the call returns.
extern "C" EMSCRIPTEN_KEEPALIVE char16_t* tarvik_receive_text(int length)
{
    receivedText.assign(static_cast<std::size_t>(length), u'\0');
    return receivedText.data();
}

extern "C" EMSCRIPTEN_KEEPALIVE char* tarvik_receive_bytes(int length)
{
    receivedBytes.assign(static_cast<std::size_t>(length), '\0');
    return receivedBytes.data();
}
