#pragma once

// The two sets of unit and caption texts that a kind choice puts in place:
// one for the families sold by length, one for those sold by area.

#include <string_view>

namespace tarvik {

struct TextSet {
    std::u16string_view massUnit;
    std::u16string_view quantityUnit;
    std::u16string_view quantityInputCaption;
    std::u16string_view massInputCaption;
    std::u16string_view modeItem0;
    std::u16string_view modeItem1;
};

inline constexpr TextSet lengthTexts{
    u"кг", u"м", u"Длина, м", u"Масса, кг", u"Массу по длине", u"Длину по массе"};
inline constexpr TextSet areaTexts{
    u"кг", u"кв.м", u"Площадь, кв.м", u"Масса, кг", u"Массу по площади", u"Площадь по массе"};

} // namespace tarvik
