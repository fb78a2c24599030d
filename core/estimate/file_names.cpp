#include "estimate/file_names.h"

#include "text/utf8.h"

#include <array>

namespace tarvik {
namespace {

bool unsafe(char16_t c)
{
    constexpr std::u16string_view forbidden = u"/\\:*?\"<>|";
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || forbidden.find(c) != std::u16string_view::npos ||
           c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0xFEFF;
}

char16_t upper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// CON, PRN, AUX, NUL, COM1..9, LPT1..9, with or without an extension.
bool reservedOnWindows(std::u16string_view stem)
{
    const std::u16string_view base = stem.substr(0, stem.find(u'.'));
    std::u16string name;
    for (char16_t c : base)
        name += upper(c);
    while (!name.empty() && name.back() == u' ')
        name.pop_back();
    for (std::u16string_view reserved : {u"CON", u"PRN", u"AUX", u"NUL"}) {
        if (name == reserved)
            return true;
    }
    return name.size() == 4 && (name.starts_with(u"COM") || name.starts_with(u"LPT")) && name[3] >= u'1' &&
           name[3] <= u'9';
}

void trimDotsAndSpaces(std::u16string& s)
{
    const std::size_t first = s.find_first_not_of(u". ");
    if (first == std::u16string::npos) {
        s.clear();
        return;
    }
    s.erase(0, first);
    s.erase(s.find_last_not_of(u". ") + 1);
}

std::u16string twoDigits(int n)
{
    return {static_cast<char16_t>(u'0' + n / 10 % 10), static_cast<char16_t>(u'0' + n % 10)};
}

} // namespace

std::u16string safeFileStem(std::u16string_view name)
{
    std::u16string stem;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (isHighSurrogate(c) && i + 1 < name.size() && isLowSurrogate(name[i + 1])) {
            stem += c;
            stem += name[++i];
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            stem += u'\uFFFD'; // as the name itself holds it (wellFormed)
        } else if (unsafe(c)) {
            stem += u'_';
        } else if (c == u'.' && !stem.empty() && stem.back() == u'.') {
            continue; // no ".."
        } else {
            stem += c;
        }
    }
    trimDotsAndSpaces(stem);
    if (stem.size() > maxFileStemLength) {
        stem.resize(maxFileStemLength);
        if (isHighSurrogate(stem.back()))
            stem.pop_back();
        trimDotsAndSpaces(stem);
    }
    if (stem.empty())
        return u"смета";
    if (reservedOnWindows(stem))
        stem.insert(0, 1, u'_');
    return stem;
}

std::u16string exportFileName(std::u16string_view name, CalendarDate date, std::u16string_view extension)
{
    std::u16string out = u"смета_" + safeFileStem(name) + u"_";
    out += twoDigits(date.year / 100) + twoDigits(date.year % 100);
    out += u'-' + twoDigits(date.month) + u'-' + twoDigits(date.day) + u'.';
    out += extension;
    return out;
}

std::u16string estimateExportName(std::u16string_view name)
{
    return safeFileStem(name) + u".tarvik-smeta.json";
}

std::u16string calendarDateText(CalendarDate date)
{
    return twoDigits(date.day) + u'.' + twoDigits(date.month) + u'.' + twoDigits(date.year / 100) +
           twoDigits(date.year % 100);
}

} // namespace tarvik
