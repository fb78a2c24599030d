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

// 10^40, π and √3 to 40 decimals, rounded, as integers over 10^40: their
// error moves a section's area by less than 10^-30 of itself, far below the
// millionth the mass is rounded to.
enum class Constant { One, Pi, Sqrt3 };

BigUnsigned constant(Constant c)
{
    const char* digits = c == Constant::Pi      ? "31415926535897932384626433832795028841972"
                         : c == Constant::Sqrt3 ? "17320508075688772935274463415058723669428"
                                                : "10000000000000000000000000000000000000000";
    BigUnsigned n;
    for (; *digits; ++digits)
        n.multiplyAdd(10, static_cast<std::uint32_t>(*digits - '0'));
    return n;
}

// One term of four times a section's area: factor × constant × d[i] × d[j].
struct Term {
    int factor;
    Constant constant;
    int i;
    int j;
};

// Four times the area, expanded into terms so that one loop weighs every
// shape (the four clears the quarters of πd²/4, 1 − π/4 and √3/2):
//   circle πd²/4; square a²; hexagon (√3/2)s², s across flats; strip b·t;
//   round pipe π(D − s)s;
//   profile pipe 2s(a + b − 2s) − (4 − π)(R² − r²), r = R − s, which is
//     2sa + 2sb − 8Rs + 2πRs − πs² over four;
//   angle t(a + b − t) + (1 − π/4)(R² − 2r²).
using C = Constant;
constexpr Term circle[] = {{1, C::Pi, 0, 0}};
constexpr Term square[] = {{4, C::One, 0, 0}};
constexpr Term hexagon[] = {{2, C::Sqrt3, 0, 0}};
constexpr Term strip[] = {{4, C::One, 0, 1}};
constexpr Term roundPipe[] = {{4, C::Pi, 0, 1}, {-4, C::Pi, 1, 1}};
constexpr Term profilePipe[] = {
    {8, C::One, 2, 0}, {8, C::One, 2, 1}, {-32, C::One, 3, 2}, {8, C::Pi, 3, 2}, {-4, C::Pi, 2, 2}};
constexpr Term equalAngle[] = {{8, C::One, 1, 0},  {-4, C::One, 1, 1}, {4, C::One, 2, 2},
                               {-8, C::One, 3, 3}, {-1, C::Pi, 2, 2},  {2, C::Pi, 3, 3}};
constexpr Term unequalAngle[] = {{4, C::One, 2, 0},  {4, C::One, 2, 1}, {-4, C::One, 2, 2}, {4, C::One, 3, 3},
                                 {-8, C::One, 4, 4}, {-1, C::Pi, 3, 3}, {2, C::Pi, 4, 4}};

std::span<const Term> termsOf(OwnShape shape)
{
    switch (shape) {
    case OwnShape::Circle:
        return circle;
    case OwnShape::Square:
        return square;
    case OwnShape::Hexagon:
        return hexagon;
    case OwnShape::Strip:
        return strip;
    case OwnShape::RoundPipe:
        return roundPipe;
    case OwnShape::ProfilePipe:
        return profilePipe;
    case OwnShape::EqualAngle:
        return equalAngle;
    case OwnShape::UnequalAngle:
        return unequalAngle;
    case OwnShape::Sheet:
        break;
    }
    return {};
}

// Four times the area in mm², scaled by 10^52 (dimensions in millionths,
// 10^12 a product of two, the constant 10^40); none when it is not above
// zero, which the rules below never let happen.
std::optional<BigUnsigned> fourAreaScaled(OwnShape shape, std::span<const std::uint64_t> d)
{
    std::array<BigUnsigned, 3> constants{constant(C::One), constant(C::Pi), constant(C::Sqrt3)};
    BigUnsigned added;
    BigUnsigned taken;
    for (const Term& t : termsOf(shape)) {
        BigUnsigned product =
            BigUnsigned(d[static_cast<std::size_t>(t.i)]) * BigUnsigned(d[static_cast<std::size_t>(t.j)]);
        product.multiplyAdd(static_cast<std::uint32_t>(t.factor < 0 ? -t.factor : t.factor), 0);
        (t.factor < 0 ? taken : added).add(product * constants[static_cast<std::size_t>(t.constant)]);
    }
    if (compare(added, taken) <= 0)
        return std::nullopt;
    added.subtract(taken);
    return added;
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
    std::optional<BigUnsigned> area = fourAreaScaled(shape, d);
    // The rules above keep every area positive; one that is not would be a
    // formula's fault, never the user's.
    if (!area)
        return {0, 0, Caption::DimensionZero};
    // area × density ÷ 10^6 kg/m, in millionths: area × density.
    area->multiplyAdd(static_cast<std::uint32_t>(density), 0);
    BigUnsigned scale = constant(C::One); // 4 × 10^52
    scale.multiplyAdd(4'000'000, 0);
    scale.multiplyAdd(1'000'000, 0);
    return {roundedHalfUp(*area, scale)};
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
