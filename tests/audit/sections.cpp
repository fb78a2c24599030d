#include "sections.h"

#include "../decimal_text.h"

#include "calculator/own_section.h"
#include "catalogue/grades.h"
#include "number/exact_mass.h"

#include <numbers>
#include <utility>

namespace tarvik::audit {
namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}
bool isDecimalMark(char16_t c)
{
    return c == u',' || c == u'.';
}

} // namespace

std::optional<std::vector<std::u16string>> sizeParts(Text text)
{
    std::vector<std::u16string> out;
    std::size_t from = 0;
    while (true) {
        std::size_t to = from;
        while (to < text.size() && text[to] != u'x' && text[to] != u'\u0445')
            ++to;
        const Text part = text.substr(from, to - from);
        if (!tarvik::testing::decimalValue(part))
            return std::nullopt;
        std::u16string comma(part);
        for (char16_t& c : comma) {
            if (c == u'.')
                c = u',';
        }
        out.push_back(comma);
        if (to == text.size())
            return out;
        from = to + 1;
    }
}

double valueOf(const std::u16string& part)
{
    return tarvik::testing::decimalValue(part).value_or(0);
}

std::optional<double> ownSteelMass(catalogue::OwnShape shape, const std::vector<std::u16string>& dims)
{
    const OwnSectionMass m = ownSectionMass(shape, dims, u',', catalogue::steelDensity);
    if (!m.ok())
        return std::nullopt;
    return doubleOfMillionths(m.millionths);
}

std::vector<double> numbersIn(Text text)
{
    std::vector<double> out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isDigit(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && (isDigit(text[end]) || (isDecimalMark(text[end]) &&
                                                            end + 1 < text.size() && isDigit(text[end + 1]))))
            ++end;
        out.push_back(*tarvik::testing::decimalValue(text.substr(i, end - i)));
        i = end;
    }
    return out;
}

double bentChannelSection(double height, double flange, double thickness)
{
    const double inner = thickness;
    const double outer = inner + thickness;
    // Each of the two bends is a quarter ring instead of a square corner.
    const double perBend = (1 - std::numbers::pi / 4) * (outer * outer - inner * inner);
    return thickness * (height + 2 * flange - 2 * thickness) - 2 * perBend;
}

std::optional<std::u16string> waterGasOutside(const std::u16string& nominalBore)
{
    static constexpr std::pair<Text, Text> series[] = {
        {u"15", u"21,3"}, {u"20", u"26,8"}, {u"25", u"33,5"}, {u"32", u"42,3"}, {u"40", u"48"},
        {u"50", u"60"},   {u"65", u"75,5"}, {u"80", u"88,5"}, {u"100", u"114"},
    };
    for (const auto& [bore, outside] : series) {
        if (bore == nominalBore)
            return std::u16string(outside);
    }
    return std::nullopt;
}

} // namespace tarvik::audit
