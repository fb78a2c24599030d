#pragma once

// The computation behind «Расчитать», shared by the window's handler and the
// estimate so that a line's numbers are always the ones the calculator shows.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// What «Расчитать» computed, as the estimate takes it.
struct Calculation {
    std::u16string family; // the family's header
    std::u16string kind;
    std::u16string size;
    double unitMass = 0;
    int mode = 0;          // 0: number is the quantity, result the mass; 1: the reverse
    std::u16string number; // as typed
    std::u16string result; // the number as shown, without its unit
    // What the unit mass was weighed in. The names are empty where none was
    // chosen: a steel-only product names no grade, a density of one's own
    // neither the metal nor the grade.
    std::u16string metal = {};
    std::u16string grade = {};
    std::uint32_t density = 7850; // kg/m³
    bool ownDensity = false;
    // «Свой размер»: `size` holds its dimensions ("57х4"); no catalogue entry
    // stands behind it, so it says itself whether it is sold by area.
    bool ownSection = false;
    bool perArea = false;
};

// Mode 0: the mass of `number` metres (or square metres); mode 1: the
// metres (or square metres) of `number` kilograms. The result as
// formatFloat000 writes it. Throws CalcError as «Расчитать» reports it: the
// text is not a number, or the result is beyond the extended range.
std::u16string calculatedText(std::u16string_view number, char16_t separator, double unitMass, int mode);

} // namespace tarvik
