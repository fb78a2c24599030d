#pragma once

// Letter case of the Latin and Cyrillic letters that the program's texts and
// size texts are written in.

namespace tarvik {

constexpr char16_t lowerCase(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + (u'a' - u'A'));
    if (c >= u'А' && c <= u'Я')
        return static_cast<char16_t>(c + (u'а' - u'А'));
    if (c >= u'Ѐ' && c <= u'Џ') // Ѐ..Џ, Ё among them
        return static_cast<char16_t>(c + (u'ѐ' - u'Ѐ'));
    return c;
}

} // namespace tarvik
