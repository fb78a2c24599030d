#include "web/calculation_crossing.h"

#include "number/count_text.h"
#include "number/double_text.h"

#include <cstdint>

namespace tarvik::web {
namespace {

constexpr int hexDigits = 16;

} // namespace

std::u16string unitMassText(double value)
{
    const std::uint64_t bits = doubleBits(value);
    std::u16string text(hexDigits, u'0');
    for (int i = 0; i < hexDigits; ++i)
        text[static_cast<std::size_t>(i)] = u"0123456789abcdef"[(bits >> (4 * (hexDigits - 1 - i))) & 0xF];
    return text;
}

std::optional<double> unitMassFromText(const std::u16string& text)
{
    if (text.size() != hexDigits)
        return std::nullopt;
    std::uint64_t bits = 0;
    for (const char16_t c : text) {
        int digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else
            return std::nullopt;
        bits = bits << 4 | static_cast<std::uint64_t>(digit);
    }
    return doubleFromBits(bits);
}

int catalogueFamilyNumber(const std::optional<CatalogueFamily>& family)
{
    if (!family)
        return -1;
    return static_cast<int>(family->defaultPieceSizeThousandths * 2) +
           (family->quantity == QuantityKind::Area ? 1 : 0);
}

std::optional<CatalogueFamily> catalogueFamilyFromNumber(int number)
{
    if (number < 0)
        return std::nullopt;
    return CatalogueFamily{number % 2 ? QuantityKind::Area : QuantityKind::Length,
                           static_cast<std::uint32_t>(number / 2)};
}

std::vector<std::u16string> calculationTexts(const Calculation& calculation)
{
    const auto flag = [](bool on) { return on ? u"1" : u"0"; };
    return {calculation.family,
            calculation.kind,
            calculation.size,
            unitMassText(calculation.unitMass),
            flag(calculation.mode != 0),
            calculation.number,
            calculation.result,
            calculation.metal,
            calculation.grade,
            countText(calculation.density),
            flag(calculation.ownDensity),
            flag(calculation.ownSection),
            flag(calculation.perArea)};
}

std::optional<Calculation> calculationFromTexts(const std::vector<std::u16string>& texts)
{
    if (texts.size() != calculationTextCount)
        return std::nullopt;
    const std::optional<double> unitMass = unitMassFromText(texts[3]);
    if (!unitMass)
        return std::nullopt;
    for (std::size_t flag : {4, 10, 11, 12}) {
        if (texts[flag] != u"0" && texts[flag] != u"1")
            return std::nullopt;
    }
    // Any density a metal has: five digits at most.
    const std::u16string& density = texts[9];
    std::uint32_t value = 0;
    if (density.empty() || density.size() > 5)
        return std::nullopt;
    for (const char16_t c : density) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - u'0');
    }
    if (value == 0)
        return std::nullopt;
    return Calculation{texts[0],          texts[1],          texts[2],         *unitMass, texts[4] == u"1",
                       texts[5],          texts[6],          texts[7],         texts[8],  value,
                       texts[10] == u"1", texts[11] == u"1", texts[12] == u"1"};
}

} // namespace tarvik::web
