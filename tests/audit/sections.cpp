#include "sections.h"

#include "../decimal_text.h"

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

std::optional<std::vector<double>> sizeNumbers(Text text)
{
    std::vector<double> out;
    std::size_t from = 0;
    while (true) {
        std::size_t to = from;
        while (to < text.size() && text[to] != u'x' && text[to] != u'\u0445')
            ++to;
        const std::optional<double> value = tarvik::testing::decimalValue(text.substr(from, to - from));
        if (!value)
            return std::nullopt;
        out.push_back(*value);
        if (to == text.size())
            return out;
        from = to + 1;
    }
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

double roundSection(double diameter)
{
    return std::numbers::pi * diameter * diameter / 4;
}

double pipeSection(double outside, double wall)
{
    return std::numbers::pi * wall * (outside - wall);
}

double profilePipeSection(double sideA, double sideB, double wall)
{
    const double outer = 1.5 * wall;
    const double inner = 0.5 * wall;
    return 2 * wall * (sideA + sideB - 2 * wall) - (4 - std::numbers::pi) * (outer * outer - inner * inner);
}

double angleSection(double legA, double legB, double thickness)
{
    return thickness * (legA + legB - thickness);
}

double bentChannelSection(double height, double flange, double thickness)
{
    const double inner = thickness;
    const double outer = inner + thickness;
    // Each of the two bends is a quarter ring instead of a square corner.
    const double perBend = (1 - std::numbers::pi / 4) * (outer * outer - inner * inner);
    return thickness * (height + 2 * flange - 2 * thickness) - 2 * perBend;
}

std::optional<double> waterGasOutside(double nominalBore)
{
    static constexpr std::pair<double, double> series[] = {
        {15, 21.3}, {20, 26.8}, {25, 33.5}, {32, 42.3},   {40, 48.0},
        {50, 60.0}, {65, 75.5}, {80, 88.5}, {100, 114.0},
    };
    for (const auto& [bore, outside] : series) {
        if (bore == nominalBore)
            return outside;
    }
    return std::nullopt;
}

} // namespace tarvik::audit
