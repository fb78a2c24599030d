#include "calculator/size_text.h"

#include "text/letter_case.h"

#include <string>

namespace tarvik {
namespace {

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\u00A0' || c == u'\u202F' || c == u'\u2009';
}

// One character as the folding compares it; 0 for a character it ignores.
char16_t foldedChar(char16_t c)
{
    if (isSpace(c))
        return 0;
    switch (c) {
    case u',':
        return u'.';
    case u'×':
    case u'*':
        return u'х';
    default:
        break;
    }
    c = lowerCase(c);
    // Latin letters that look like Cyrillic ones read as those.
    constexpr std::u16string_view latin = u"abcehkmoptxy";
    constexpr std::u16string_view cyrillic = u"авсенкмортху";
    if (const auto at = latin.find(c); at != std::u16string_view::npos)
        return cyrillic[at];
    return c;
}

// How many characters of `item` the typed text covers; npos when the item
// does not begin with it. Spaces the user typed last cover the item's
// spaces at that point, so that the next key lands after them.
std::size_t matchedLength(std::u16string_view item, std::u16string_view typed)
{
    const std::u16string folded = foldedSizeText(typed);
    std::size_t matched = 0, i = 0;
    for (; i < item.size() && matched < folded.size(); ++i) {
        const char16_t c = foldedChar(item[i]);
        if (c == 0)
            continue;
        if (c != folded[matched])
            return std::u16string_view::npos;
        ++matched;
    }
    if (matched < folded.size())
        return std::u16string_view::npos;
    for (std::size_t t = typed.size();
         t > 0 && foldedChar(typed[t - 1]) == 0 && i < item.size() && foldedChar(item[i]) == 0; --t)
        ++i;
    return i;
}

} // namespace

std::u16string foldedSizeText(std::u16string_view text)
{
    std::u16string folded;
    folded.reserve(text.size());
    for (char16_t c : text) {
        if (const char16_t f = foldedChar(c))
            folded += f;
    }
    return folded;
}

int itemShowingText(const Window& window, DropDown list, std::u16string_view shown)
{
    const std::u16string folded = foldedSizeText(shown);
    if (folded.empty())
        return -1;
    const int count = window.itemCount(list);
    for (int i = 0; i < count; ++i) {
        if (foldedSizeText(window.itemText(list, i)) == folded)
            return i;
    }
    return -1;
}

int itemCompletingText(const Window& window, DropDown list, std::u16string_view typed)
{
    const std::u16string folded = foldedSizeText(typed);
    if (folded.empty())
        return -1;
    const int count = window.itemCount(list);
    for (int i = 0; i < count; ++i) {
        if (matchedLength(window.itemText(list, i), typed) != std::u16string_view::npos)
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
        edit.completedFrom = static_cast<int>(matchedLength(edit.shown, text));
    }
    edit.item = itemShowingText(window, list, edit.shown);
    return edit;
}

std::u16string shownSizeText(const Window& window, DropDown list, std::u16string_view shown)
{
    const int item = itemShowingText(window, list, shown);
    return item >= 0 ? window.itemText(list, item) : std::u16string(shown);
}

} // namespace tarvik
