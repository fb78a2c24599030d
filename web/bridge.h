#pragma once

// How the core and the page's JavaScript talk, without a binding library:
// its generated glue would be a third of the page's bytes. The page calls
// one entry point with a method's number and its arguments, set beforehand
// as numbers and UTF-16 texts; the method answers by handing texts and
// numbers to the page one at a time. The core calls the page's objects by
// method name the same way. web/bridge.js is the JavaScript side of the
// imports, web/core_api.js turns the method table into the page's classes.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik::web {

// The arguments of a call the page makes.
class Arguments {
public:
    // The most a method takes: the texts of a calculation crossing to the
    // estimate (calculation_crossing.h).
    static constexpr int count = 13;

    // Those the page set for the call it is making.
    static Arguments current();

    int integer(int index) const;
    const std::u16string& text(int index) const;

    struct Argument {
        int number = 0;
        std::u16string text;
    };

private:
    std::array<Argument, count> arguments_;
};

// Hands a piece of the answer to the page, in order.
void give(std::u16string_view text);
void give(int number);
void giveBytes(std::string_view bytes);

// The page's objects the core calls.
enum class Partner { Page = 0, Store = 1, Catalogue = 2, View = 3 };

// One call of a method of a page's object: arguments in order, then one
// of the results. What the page answers with is read as the caller says.
class PageCall {
public:
    PageCall(Partner partner, const char* method) : partner_(partner), method_(method) {}
    PageCall& arg(int number);
    PageCall& arg(std::u16string_view text);
    // UTF-8 bytes, which reach the page as a text.
    PageCall& arg(std::string_view utf8);

    // The answer as a number (a boolean as 0 or 1; nothing as -1).
    int run();
    std::u16string text();
    // The answer as UTF-8 bytes, encoded by the browser; nothing for null.
    std::optional<std::string> bytes();

private:
    Partner partner_;
    const char* method_;
    int count_ = 0;
};

} // namespace tarvik::web
