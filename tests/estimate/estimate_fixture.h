#pragma once

// An estimate with deterministic ids and time stamps, and the catalogue's
// sizes to add as «Расчитать» computed them.

#include "estimate/estimate.h"
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

inline Calculation rebar12(std::u16string number, int mode = 0)
{
    return calculated({u"Арматура", u"Арматура А1", u"12", 0.89, mode, std::move(number), {}});
}

inline Calculation sheet4(std::u16string number)
{
    return calculated({u"Лист", u"Лист горячекатаный", u"4", 31.4, 0, std::move(number), {}});
}

inline Calculation weldedMesh(std::u16string number)
{
    return calculated({u"Сетка", u"Сетка сварная", u"1x20x20", 0.62, 0, std::move(number), {}});
}

} // namespace tarvik::testing
