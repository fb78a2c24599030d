#include "size_text.h"

#include <string>

namespace tarvik {
namespace {

char16_t foldCase(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + (u'a' - u'A'));
    if (c >= u'А' && c <= u'Я')
        return static_cast<char16_t>(c + (u'а' - u'А'));
    if (c >= u'Ѐ' && c <= u'Џ') // Ѐ..Џ, Ё among them
        return static_cast<char16_t>(c + (u'ѐ' - u'Ѐ'));
    return c;
}

} // namespace

bool equalIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i]))
            return false;
    }
    return true;
}

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix)
{
    return text.size() >= prefix.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

int itemShowingText(const Window& window, DropDown list, std::u16string_view shown)
{
    const int count = window.itemCount(list);
    for (int i = 0; i < count; ++i) {
        if (equalIgnoringCase(window.itemText(list, i), shown))
            return i;
    }
    return -1;
}

int itemCompletingText(const Window& window, DropDown list, std::u16string_view typed)
{
    if (typed.empty())
        return -1;
    const int count = window.itemCount(list);
    for (int i = 0; i < count; ++i) {
        if (startsWithIgnoringCase(window.itemText(list, i), typed))
            return i;
    }
    return -1;
}

} // namespace tarvik
