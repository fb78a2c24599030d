#include "calculator/own_section.h"

#include "number/big_unsigned.h"
#include "number/exact_mass.h"

#include <algorithm>
#include <array>

namespace tarvik {
namespace {

using catalogue::OwnShape;
using float80::BigUnsigned;

constexpr std::uint64_t million = 1'000'000;

// A signed exact integer, enough for the formulas' one subtraction each.
struct Exact {
    BigUnsigned magnitude;
    bool negative = false;
};

Exact exact(std::uint64_t v)
{
    return {BigUnsigned(v), false};
}

Exact operator+(Exact a, const Exact& b)
{
    if (a.negative == b.negative) {
        a.magnitude.add(b.magnitude);
        return a;
    }
    if (compare(a.magnitude, b.magnitude) >= 0) {
        a.magnitude.subtract(b.magnitude);
        return a;
    }
    Exact r = b;
    r.magnitude.subtract(a.magnitude);
    return r;
}

Exact operator-(const Exact& a, Exact b)
{
    b.negative = !b.negative;
    return a + b;
}

Exact operator*(const Exact& a, const Exact& b)
{
    return {a.magnitude * b.magnitude, a.negative != b.negative};
}

BigUnsigned fromDigits(std::string_view digits)
{
    BigUnsigned n;
    for (char c : digits)
        n.multiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
    return n;
}

// π and √3 to 40 decimals, rounded, as integers over 10^40: their error
// moves a section's area by less than 10^-30 of itself, far below the
// millionth the mass is rounded to.
const Exact& pi()
{
    static const Exact v{fromDigits("31415926535897932384626433832795028841972"), false};
    return v;
}
const Exact& sqrt3()
{
    static const Exact v{fromDigits("17320508075688772935274463415058723669428"), false};
    return v;
}
const Exact& tenTo40()
{
    static const Exact v{fromDigits("1" + std::string(40, '0')), false};
    return v;
}

// Four times the area in mm², scaled by 10^52: dimensions are millionths
// (10^6 each, 10^12 a product of two), π and √3 carry 10^40, and the four
// clears the quarters of πd²/4, 1 − π/4 and √3/2.
Exact fourAreaScaled(OwnShape shape, const std::array<Exact, catalogue::maxOwnDimensions>& d)
{
    const Exact four = exact(4);
    const Exact fourMinusPi = four * tenTo40() - pi();
    switch (shape) {
    case OwnShape::Circle:
        return pi() * d[0] * d[0];
    case OwnShape::Square:
        return four * tenTo40() * d[0] * d[0];
    case OwnShape::Hexagon: // (√3/2)s², s across flats
        return exact(2) * sqrt3() * d[0] * d[0];
    case OwnShape::Strip:
        return four * tenTo40() * d[0] * d[1];
    case OwnShape::RoundPipe: // π(D − s)s
        return four * pi() * (d[0] - d[1]) * d[1];
    case OwnShape::ProfilePipe: { // 2s(a + b − 2s) − (4 − π)(R² − r²), r = R − s
        const Exact& s = d[2];
        const Exact r = d[3] - s;
        return exact(8) * tenTo40() * s * (d[0] + d[1] - exact(2) * s) -
               four * fourMinusPi * (d[3] * d[3] - r * r);
    }
    case OwnShape::EqualAngle: // t(2b − t) + (1 − π/4)(R² − 2r²)
        return four * tenTo40() * d[1] * (exact(2) * d[0] - d[1]) +
               fourMinusPi * (d[2] * d[2] - exact(2) * d[3] * d[3]);
    case OwnShape::UnequalAngle: // t(B + b − t) + (1 − π/4)(R² − 2r²)
        return four * tenTo40() * d[2] * (d[0] + d[1] - d[2]) +
               fourMinusPi * (d[3] * d[3] - exact(2) * d[4] * d[4]);
    case OwnShape::Sheet:
        break;
    }
    return {};
}

// The cross-field rules: the dimension that breaks one and why, or none.
struct Problem {
    int field;
    Caption reason;
};
std::optional<Problem> shapeProblem(OwnShape shape, std::span<const std::uint64_t> d)
{
    switch (shape) {
    case OwnShape::RoundPipe:
        if (2 * d[1] >= d[0])
            return Problem{1, Caption::PipeWallTooThick};
        break;
    case OwnShape::ProfilePipe: {
        const std::uint64_t smaller = std::min(d[0], d[1]);
        if (2 * d[2] >= smaller)
            return Problem{2, Caption::ProfileWallTooThick};
        if (d[3] < d[2])
            return Problem{3, Caption::ProfileRadiusBelowWall};
        if (2 * d[3] > smaller)
            return Problem{3, Caption::ProfileRadiusTooLarge};
        break;
    }
    case OwnShape::EqualAngle:
    case OwnShape::UnequalAngle: {
        const std::size_t t = shape == OwnShape::EqualAngle ? 1 : 2;
        const std::uint64_t smaller = shape == OwnShape::EqualAngle ? d[0] : std::min(d[0], d[1]);
        if (d[t] >= smaller)
            return Problem{static_cast<int>(t), Caption::AngleTooThick};
        if (d[t + 2] > d[t + 1])
            return Problem{static_cast<int>(t + 2), Caption::ToeRadiusAboveRoot};
        if (d[t + 2] >= d[t])
            return Problem{static_cast<int>(t + 2), Caption::ToeRadiusTooLarge};
        break;
    }
    default:
        break;
    }
    return std::nullopt;
}

// An angle's radii may be zero (a sharp corner); every other dimension is a
// length of steel.
bool mayBeZero(OwnShape shape, std::size_t field)
{
    return (shape == OwnShape::EqualAngle && field >= 2) || (shape == OwnShape::UnequalAngle && field >= 3);
}

std::optional<std::uint64_t> readOrNone(std::u16string_view text, char16_t separator)
{
    const DimensionReading r = readDimension(text, separator);
    if (r.problem)
        return std::nullopt;
    return r.millionths;
}

std::size_t shapeIndex(OwnShape shape)
{
    for (std::size_t i = 0; i < catalogue::ownKinds.size(); ++i) {
        if (catalogue::ownKinds[i].shape == shape)
            return i;
    }
    return 0;
}

} // namespace

DimensionReading readDimension(std::u16string_view text, char16_t separator)
{
    if (text.empty())
        return {0, Caption::DimensionMissing};
    std::uint64_t whole = 0;
    std::uint64_t fraction = 0;
    int decimals = 0;
    bool separatorSeen = false;
    bool digitSeen = false;
    for (char16_t c : text) {
        if (c == separator && !separatorSeen) {
            separatorSeen = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return {0, Caption::DimensionNotNumber};
        digitSeen = true;
        const auto digit = static_cast<std::uint64_t>(c - u'0');
        if (separatorSeen) {
            if (++decimals > 6) {
                if (digit != 0)
                    return {0, Caption::DimensionTooPrecise};
                continue; // trailing zeros change nothing
            }
            fraction = fraction * 10 + digit;
        } else if ((whole = whole * 10 + digit) > largestDimension) {
            return {0, Caption::DimensionTooLarge};
        }
    }
    if (!digitSeen)
        return {0, Caption::DimensionNotNumber};
    for (; decimals < 6; ++decimals)
        fraction *= 10;
    const std::uint64_t millionths = whole * million + fraction;
    if (millionths > largestDimension * million)
        return {0, Caption::DimensionTooLarge};
    return {millionths, std::nullopt};
}

OwnSectionMass ownSectionMass(OwnShape shape, std::span<const std::u16string> dimensions, char16_t separator,
                              int density)
{
    const std::size_t count = catalogue::ownKinds[shapeIndex(shape)].dimensionCaptions.size();
    std::array<std::uint64_t, catalogue::maxOwnDimensions> d{};
    for (std::size_t i = 0; i < count; ++i) {
        const DimensionReading r =
            readDimension(i < dimensions.size() ? std::u16string_view(dimensions[i]) : u"", separator);
        if (r.problem)
            return {0, static_cast<int>(i), *r.problem};
        if (r.millionths == 0 && !mayBeZero(shape, i))
            return {0, static_cast<int>(i), Caption::DimensionZero};
        d[i] = r.millionths;
    }
    if (const std::optional<Problem> p = shapeProblem(shape, d))
        return {0, p->field, p->reason};

    if (shape == OwnShape::Sheet) {
        // thickness × density ÷ 1000 kg/m², in millionths of a kilogram.
        BigUnsigned n(d[0]);
        n.multiplyAdd(static_cast<std::uint32_t>(density), 0);
        return {roundedHalfUp(n, BigUnsigned(1000))};
    }
    std::array<Exact, catalogue::maxOwnDimensions> exactDims;
    for (std::size_t i = 0; i < count; ++i)
        exactDims[i] = exact(d[i]);
    Exact area = fourAreaScaled(shape, exactDims);
    // The rules above keep every area positive; a negative one would be a
    // formula's fault, never the user's.
    if (area.negative || area.magnitude.isZero())
        return {0, 0, Caption::DimensionZero};
    // area × density ÷ 10^6 kg/m, in millionths: area × density.
    area.magnitude.multiplyAdd(static_cast<std::uint32_t>(density), 0);
    BigUnsigned scale(4);
    for (int i = 0; i < 52; ++i)
        scale.multiplyAdd(10, 0);
    return {roundedHalfUp(area.magnitude, scale)};
}

std::optional<std::u16string> profileRadiusText(std::size_t standard, std::u16string_view wall,
                                                char16_t separator)
{
    const std::optional<std::uint64_t> s = readOrNone(wall, separator);
    if (!s || standard >= catalogue::profileRadiusStandards.size())
        return std::nullopt;
    const auto steps = catalogue::profileRadiusStandards[standard].steps;
    const auto step = std::find_if(steps.begin(), steps.end() - 1, [&](const catalogue::RadiusStep& st) {
        return *s <= static_cast<std::uint64_t>(st.wallUpTo) * million;
    });
    // R = factor/10 × s, half up to the millionth a field holds.
    const std::uint64_t tenfold = *s * static_cast<std::uint64_t>(step->factorTenths);
    return millionthsText(tenfold / 10 + (tenfold % 10 >= 5 ? 1 : 0), separator);
}

std::optional<AngleRadiiTexts> angleRadiiTexts(OwnShape shape, std::u16string_view legA,
                                               std::u16string_view legB, char16_t separator)
{
    const std::optional<std::uint64_t> a = readOrNone(legA, separator);
    const std::optional<std::uint64_t> b = readOrNone(legB, separator);
    if (!a || !b)
        return std::nullopt;
    const std::uint64_t wider = std::max(*a, *b);
    const std::uint64_t narrower = std::min(*a, *b);
    const auto table =
        shape == OwnShape::EqualAngle ? catalogue::equalAngleRadii : catalogue::unequalAngleRadii;
    const auto distance = [&](const catalogue::AngleRadii& row) {
        const auto far = [](std::uint64_t x, int mm) {
            const std::uint64_t y = static_cast<std::uint64_t>(mm) * million;
            return x > y ? x - y : y - x;
        };
        return far(wider, row.legA) + far(narrower, row.legB);
    };
    // The table runs from the narrowest widths up, so the first of equally
    // near rows is the smaller.
    const catalogue::AngleRadii* best = &table.front();
    for (const catalogue::AngleRadii& row : table) {
        if (distance(row) < distance(*best))
            best = &row;
    }
    const auto text = [&](int tenths) {
        return millionthsText(static_cast<std::uint64_t>(tenths) * (million / 10), separator);
    };
    return AngleRadiiTexts{text(best->rootRadiusTenths), text(best->toeRadiusTenths)};
}

} // namespace tarvik
