#pragma once

// An estimate with deterministic ids and time stamps, and the catalogue's
// sizes to add as «Расчитать» computed them.

#include "estimate/estimate.h"
#include "number/exact_mass.h"
#include "number/quantity.h"

#include <cstdint>
#include <memory>

namespace tarvik::testing {

struct Counter {
    std::shared_ptr<std::uint64_t> next = std::make_shared<std::uint64_t>(0);
    std::uint64_t operator()() const { return ++*next; }
};

inline Estimate makeEstimate(std::uint64_t firstId = 0x100, Counter clock = {})
{
    Counter ids;
    *ids.next = firstId;
    return Estimate(u',', ids, clock);
}

// What «Расчитать» gives for the number.
inline Calculation calculated(Calculation c)
{
    c.result = calculatedText(c.number, u',', c.unitMass, c.mode);
    return c;
}

// Rebar and mesh are steel products: their lines name the metal alone.
inline Calculation rebar12(std::u16string number, int mode = 0)
{
    return calculated({u"Арматура", u"Арматура А1", u"12", 0.89, mode, std::move(number), {}, u"Сталь"});
}

inline Calculation sheet4(std::u16string number)
{
    return calculated(
        {u"Лист", u"Лист горячекатаный", u"4", 31.4, 0, std::move(number), {}, u"Сталь", u"Ст3"});
}

inline Calculation weldedMesh(std::u16string number)
{
    return calculated({u"Сетка", u"Сетка сварная", u"1x20x20", 0.62, 0, std::move(number), {}, u"Сталь"});
}

// A catalogue size in another grade: its mass scaled as «Расчитать» scales it.
inline Calculation amg3Sheet3(std::u16string number)
{
    return calculated({u"Лист",
                       u"Лист горячекатаный",
                       u"3",
                       scaledUnitMass(23.55, 2670),
                       0,
                       std::move(number),
                       {},
                       u"Алюминий",
                       u"АМг3",
                       2670});
}

inline Calculation stainlessPipe57x4(std::u16string number)
{
    return calculated({u"Труба круглая",
                       u"Труба электросварная",
                       u"57x4",
                       scaledUnitMass(5, 7900),
                       0,
                       std::move(number),
                       {},
                       u"Нержавеющая сталь",
                       u"12Х18Н10Т",
                       7900});
}

// «Свой размер»: a round pipe in a grade, a sheet of a density of one's own.
inline Calculation ownPipe57x4(std::u16string number)
{
    return calculated({u"Свой размер",
                       u"Труба круглая",
                       u"57х4",
                       5.261539,
                       0,
                       std::move(number),
                       {},
                       u"Нержавеющая сталь",
                       u"12Х18Н10Т",
                       7900,
                       false,
                       true,
                       false});
}

inline Calculation ownSheet3(std::u16string number)
{
    return calculated(
        {u"Свой размер", u"Лист", u"3", 8.1, 0, std::move(number), {}, {}, {}, 2700, true, true, true});
}

} // namespace tarvik::testing
