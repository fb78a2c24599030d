#include "web/entry_table.h"

#include "text/error_box.h"

#include <emscripten/emscripten.h>

#include <stdexcept>

namespace {

std::u16string ascii(const char* text)
{
    std::u16string out;
    for (; *text; ++text)
        out += static_cast<char16_t>(*text);
    return out;
}

} // namespace

using namespace tarvik::web;

// The table: each method's name and kind, then each constant's name and value.
extern "C" EMSCRIPTEN_KEEPALIVE void tarvik_describe()
{
    for (const Method& method : entryMethods()) {
        give(ascii(method.name));
        give(ascii(method.kind));
    }
    for (const Constant& constant : entryConstants()) {
        give(ascii(constant.name));
        give(constant.value);
    }
}

// Runs method `index` of the table with the arguments set. A method guards
// its own handlers; this guard is the last one, for what escapes them (no
// memory left): the page shows its words as it shows an error box's text.
extern "C" EMSCRIPTEN_KEEPALIVE int tarvik_call(int index)
{
    try {
        const std::span<const Method> methods = entryMethods();
        if (index < 0 || index >= static_cast<int>(methods.size()))
            throw std::out_of_range("no such method");
        // Copied first: a window operation may call back into the core,
        // which sets arguments of its own.
        const Arguments arguments = Arguments::current();
        return methods[static_cast<std::size_t>(index)].run(arguments);
    } catch (...) {
        give(tarvik::errorBoxTextOfCurrentException());
        return 0;
    }
}
