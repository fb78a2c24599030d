#include "size_text.h"

#include "letter_case.h"

#include <string>

namespace tarvik {

bool equalIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerCase(a[i]) != lowerCase(b[i]))
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

SizeTextEdit editSizeText(const Window& window, DropDown list, std::u16string_view text,
                          SizeTextChange change)
{
    SizeTextEdit edit{std::u16string(text), -1, -1};
    const int completing = change == SizeTextChange::Typed ? itemCompletingText(window, list, text) : -1;
    if (completing >= 0) {
        edit.shown = window.itemText(list, completing);
        edit.completedFrom = static_cast<int>(text.size());
    }
    edit.item = itemShowingText(window, list, edit.shown);
    return edit;
}

} // namespace tarvik
