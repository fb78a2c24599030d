#pragma once

// The entry points of one of the page's WebAssembly modules: a table of the
// core's methods, constants and key names, which web/core_api.js turns into
// the page's classes. A method reads its arguments, runs, and gives its
// answer to the page; its kind says how the page reads the answer: "i" a
// number, "b" a boolean, "t" a text, "l" a list, "P" and "T" a list in pairs
// and triples, "n" nothing; "c" makes the object. The digits after the kind
// name the roles of its object arguments in turn: 0 the page's window
// operations, 1 the browser's storage, 2 the catalogue (the calculator's
// module answering the estimate's), 3 the estimate's view. Each module (the calculator's, the
// estimate's) defines its own table; web/entry_table.cpp serves it.

#include "web/bridge.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::web {

using Args = Arguments;

struct Method {
    const char* name;
    const char* kind;
    int (*run)(const Args&);
};

struct Constant {
    const char* name;
    int value;
};

// The module's table: constructors first, since their classes take the
// methods that follow.
std::span<const Method> entryMethods();
std::span<const Constant> entryConstants();

inline void giveAll(const std::vector<std::u16string>& texts)
{
    for (const std::u16string& text : texts)
        give(text);
}

inline int gave(std::u16string_view text)
{
    give(text);
    return 0;
}

} // namespace tarvik::web
