// The catalogue audit. Wherever a size text carries the geometry of its section, the stored unit
// mass is weighed against that section in steel at 7850 kg/m³, with the calculator's own
// formulas of «Свой размер»; where it does not, the masses are
// held to the orderings and the sharing the catalogue follows. One mistyped digit among the
// unit masses is a wrong figure on an invoice that no other test would notice.
//
// TARVIK_AUDIT_REPORT=1 in the environment prints a table per family and kind: sizes weighed,
// known deviations, worst and mean deviation, the band allowed.

#include "sections.h"

#include "calculator/own_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

using namespace tarvik::catalogue;
using namespace tarvik::audit;

namespace {

using Parts = std::vector<std::u16string>;
using Theory = std::optional<double> (*)(const Parts&);
using tarvik::catalogue::OwnShape;

std::optional<double> barMass(const Parts& n)
{
    return n.size() == 1 ? ownSteelMass(OwnShape::Circle, n) : std::nullopt;
}
std::optional<double> squareBarMass(const Parts& n)
{
    return n.size() == 1 ? ownSteelMass(OwnShape::Square, n) : std::nullopt;
}
std::optional<double> sheetMass(const Parts& n)
{
    return n.size() == 1 ? ownSteelMass(OwnShape::Sheet, n) : std::nullopt;
}
std::optional<double> stripMass(const Parts& n)
{
    return n.size() == 2 ? ownSteelMass(OwnShape::Strip, n) : std::nullopt;
}
std::optional<double> pipeMass(const Parts& n)
{
    return n.size() == 2 ? ownSteelMass(OwnShape::RoundPipe, n) : std::nullopt;
}
std::optional<double> waterGasPipeMass(const Parts& n)
{
    if (n.size() != 2)
        return std::nullopt;
    const std::optional<std::u16string> outside = waterGasOutside(n[0]);
    return outside ? ownSteelMass(OwnShape::RoundPipe, Parts{*outside, n[1]}) : std::nullopt;
}
// The catalogue's profile pipes are cold-formed to ГОСТ 8639 and 8645: R = 1.5 walls, the second
// of the calculator's standards.
constexpr std::size_t profilePipeStandard = 1;
std::optional<double> profilePipeMass(const Parts& n)
{
    if (n.size() != 3)
        return std::nullopt;
    const std::optional<std::u16string> r = tarvik::profileRadiusText(profilePipeStandard, n[2], u',');
    return r ? ownSteelMass(OwnShape::ProfilePipe, Parts{n[0], n[1], n[2], *r}) : std::nullopt;
}
// Angles with the root and toe radii of their standard's table, as «Свой размер» fills them in.
std::optional<double> angleMass(OwnShape shape, const std::u16string& a, const std::u16string& b,
                                const std::u16string& t)
{
    const std::optional<tarvik::AngleRadiiTexts> r = tarvik::angleRadiiTexts(shape, a, b, u',');
    if (!r)
        return std::nullopt;
    return shape == OwnShape::EqualAngle ? ownSteelMass(shape, Parts{a, t, r->root, r->toe})
                                         : ownSteelMass(shape, Parts{a, b, t, r->root, r->toe});
}
std::optional<double> equalAngleMass(const Parts& n)
{
    return n.size() == 2 ? angleMass(OwnShape::EqualAngle, n[0], n[0], n[1]) : std::nullopt;
}
std::optional<double> unequalAngleMass(const Parts& n)
{
    return n.size() == 3 ? angleMass(OwnShape::UnequalAngle, n[0], n[1], n[2]) : std::nullopt;
}
std::optional<double> bentChannelMass(const Parts& n)
{
    return n.size() == 3 ? std::optional(bentChannelSection(valueOf(n[0]), valueOf(n[1]), valueOf(n[2])) *
                                         kgPerMetrePerMm2)
                         : std::nullopt;
}

// How far, in per cent of the section's mass, a stored mass may sit below or above it.
struct Band {
    double below;
    double above;
};

// Every table keeps at most two decimals, so a mass rounded correctly may sit half a hundredth
// off the exact figure whatever the band. On the lightest sizes that alone is over 1 %
// (rebar "8": 0.4 for 0.395).
constexpr double roundingAllowance = 0.005;

constexpr std::size_t everyKind = std::numeric_limits<std::size_t>::max();

struct Rule {
    const Family* family;
    std::size_t kind; // or everyKind
    const char* formula;
    Theory theory;
    Band band;
    // Profile pipe: walls up to this thickness are weighed against a band of their own.
    double thinWallUpTo = 0;
    Band thinWallBand = band;
};

// Solid sections, sheet and strip are exact geometry: the catalogue rounds them to two decimals
// and has nothing else to disagree about.
constexpr Band exact{0.2, 0.2};
// Round pipe as well, but the electric-welded "127x4.5" is listed at 13.56 for 13.59 (the
// galvanised list has 13.6).
constexpr Band roundPipeWalls{0.3, 0.3};
// The corner radii of a profile pipe vary with the maker: ГОСТ 8639/8645's 1.5 walls outside
// (and so half a wall inside) is a middle figure. Walls of 2 mm and less are listed up to about
// 10 % above it.
constexpr Band profilePipeWalls{2.5, 2.5};
constexpr Band profilePipeThinWalls{2.5, 10};
// Weighed with the root and toe radii of ГОСТ 8509 and 8510 (plain legs put them 0.7 to 1.9 %
// low, so the band was 0 to +2 %), the angles are exact geometry too.
constexpr Band angleRadii = exact;
// The bend radius of a bent channel is not in its text; one thickness inside is the usual one.
constexpr Band channelBends{2, 2};

const Rule rules[] = {
    {&rebar, everyKind, "pi d^2/4", barMass, exact},
    {&squareBar, 0, "a^2", squareBarMass, exact},
    {&roundBar, 0, "pi d^2/4", barMass, exact},
    {&sheet, 0, "7.85 t", sheetMass, exact},
    {&sheet, 2, "7.85 t", sheetMass, exact},
    {&flatStrip, 0, "t b", stripMass, exact},
    {&roundPipe, 0, "pi s (D - s), D of the bore", waterGasPipeMass, roundPipeWalls},
    {&roundPipe, 1, "pi s (D - s)", pipeMass, roundPipeWalls},
    {&roundPipe, 2, "pi s (D - s)", pipeMass, roundPipeWalls},
    {&roundPipe, 3, "pi s (D - s)", pipeMass, roundPipeWalls},
    {&roundPipe, 4, "pi s (D - s)", pipeMass, roundPipeWalls},
    {&profilePipe, everyKind, "2s(A+B-2s) - (4-pi)(R^2-r^2), R 1.5s", profilePipeMass, profilePipeWalls, 2,
     profilePipeThinWalls},
    {&angles, 0, "t(2b-t) + (1-pi/4)(R^2-2r^2)", equalAngleMass, angleRadii},
    {&angles, 1, "t(B+b-t) + (1-pi/4)(R^2-2r^2)", unequalAngleMass, angleRadii},
    {&channels, 1, "s (h + 2b - 3.29 s)", bentChannelMass, channelBends},
};

// Kinds whose texts name no section, or whose section no formula weighs: beam and channel
// numbers, expanded-sheet designations and sheeting profiles, and mesh, whose woven wire is
// crimped and whose welded lists follow no single wire formula. Beams, channels and sheeting are
// held to their orderings and shared rows below; the mesh orderings and the positive masses of
// every kind are checked with the rest of the catalogue's tests.
struct Kind {
    const Family* family;
    std::size_t kind;
};
const Kind orderedOnly[] = {
    {&beams, everyKind}, {&sheet, 1}, {&profiledSheet, everyKind}, {&mesh, everyKind}, {&channels, 0},
};

bool covers(const Family* family, std::size_t familyKind, const Family* other, std::size_t kind)
{
    return family == other && (familyKind == everyKind || familyKind == kind);
}

const Rule* ruleFor(const Family& family, std::size_t kind)
{
    for (const Rule& rule : rules) {
        if (covers(rule.family, rule.kind, &family, kind))
            return &rule;
    }
    return nullptr;
}

// Stated masses that lie outside their band, each with its deviation as measured.
struct Known {
    const Family* family;
    std::size_t kind;
    Text size;
    double stored;
    double deviation; // per cent
    const char* why;
};
const Known knownDeviations[] = {
    // Water-and-gas pipe: both carry the mass of another wall of the same bore.
    {&roundPipe, 0, u"20x2.8", 1.5, -9.49, "1.50 is the light 2.5 mm wall of this bore (26.8 x 2.5)"},
    {&roundPipe, 0, u"100x4.5", 13.44, 10.60, "13.44 is the 5 mm wall of this bore (114 x 5)"},
    // Electric-welded pipe: these weigh as if the wall were 5 to 10 % thinner than named; the
    // other lists carry the full wall for the same texts.
    {&roundPipe, 3, u"12x1.5", 0.37, -4.74, "weighs as a 1.4 mm wall"},
    {&roundPipe, 3, u"15x2.8", 0.78, -7.41, "weighs as a 2.5 mm wall; the galvanised list has 0.84"},
    {&roundPipe, 3, u"20x2.8", 1.1, -7.38, "weighs as a 2.55 mm wall; the other lists have 1.19"},
    {&roundPipe, 3, u"25x3.2", 1.63, -5.25, "the 3 mm wall's mass; the other lists have 1.72"},
    {&roundPipe, 3, u"32x3.2", 2.15, -5.40, "the 3 mm wall's mass; the galvanised list has 2.27"},
    {&roundPipe, 3, u"35x3.2", 2.38, -5.16, "weighs as a 3 mm wall"},
    {&roundPipe, 3, u"40x2.5", 2.19, -5.28, "weighs as a 2.36 mm wall; the galvanised list has 2.31"},
    {&roundPipe, 3, u"45x2", 2.02, -4.76, "weighs as a 1.9 mm wall"},
    {&roundPipe, 3, u"57x4", 5, -4.37, "weighs as a 3.8 mm wall; the hot-formed list has 5.23"},
    // Profile pipe.
    {&profilePipe, 1, u"60x40x2.5", 3.86, 5.91, "more than square corners would give (3.77)"},
    {&profilePipe, 1, u"120x80x6", 17.71, 2.82, "the square-cornered mass, 2s (A + B - 2s)"},
    // Angles listed above the section their standard's radii give.
    {&angles, 0, u"160х14", 34.2, 0.69, "the section with the standard's radii weighs 33.97"},
    {&angles, 1, u"125х80х8", 12.58, 0.40, "the section with the standard's radii weighs 12.53"},
};

const Known* knownDeviation(const Family& family, std::size_t kind, Text size)
{
    for (const Known& k : knownDeviations) {
        if (k.family == &family && k.kind == kind && k.size == size)
            return &k;
    }
    return nullptr;
}

struct Weighing {
    Text size;
    double stored;
    std::optional<double> theoretical; // none when the text does not read as the rule's section
    double deviation = 0;              // per cent of the theoretical mass
    bool withinBand = false;
};

Weighing weigh(const Rule& rule, Text size, double stored)
{
    Weighing w{size, stored, std::nullopt};
    const std::optional<Parts> parts = sizeParts(size);
    if (parts)
        w.theoretical = rule.theory(*parts);
    if (!w.theoretical)
        return w;
    const double theory = *w.theoretical;
    const Band band = valueOf(parts->back()) <= rule.thinWallUpTo ? rule.thinWallBand : rule.band;
    w.deviation = (stored / theory - 1) * 100;
    w.withinBand = stored >= theory * (1 - band.below / 100) - roundingAllowance &&
                   stored <= theory * (1 + band.above / 100) + roundingAllowance;
    return w;
}

std::vector<Weighing> weighAll(const Rule& rule, std::span<const Text> sizes, std::span<const double> masses)
{
    std::vector<Weighing> out;
    for (std::size_t i = 0; i < sizes.size() && i < masses.size(); ++i)
        out.push_back(weigh(rule, sizes[i], masses[i]));
    return out;
}

std::string where(const Family& family, std::size_t kind)
{
    return utf8(family.header) + " / " + utf8(family.kinds[kind]);
}

std::string bandText(Band band)
{
    char text[48];
    std::snprintf(text, sizeof text, band.below > 0 ? "-%g..+%g" : "%g..+%g", band.below, band.above);
    return text;
}

void printReportRow(const Rule& rule, const Family& family, std::size_t kind,
                    const std::vector<Weighing>& weighed)
{
    std::size_t known = 0;
    double worst = 0;
    double sum = 0;
    std::size_t counted = 0;
    for (const Weighing& w : weighed) {
        if (knownDeviation(family, kind, w.size)) {
            ++known;
            continue;
        }
        if (std::abs(w.deviation) > std::abs(worst))
            worst = w.deviation;
        sum += std::abs(w.deviation);
        ++counted;
    }
    std::string band = bandText(rule.band);
    if (rule.thinWallUpTo > 0)
        band += ", s <= " + std::to_string(static_cast<int>(rule.thinWallUpTo)) + ": " +
                bandText(rule.thinWallBand);
    std::printf("%6zu %6zu %+8.2f %9.2f   %-32s %-40s %s\n", weighed.size(), known, worst,
                counted ? sum / counted : 0.0, band.c_str(), rule.formula, where(family, kind).c_str());
}

void printKnownDeviations()
{
    std::printf("\nKnown deviations, left out of worst and mean:\n");
    for (const Known& k : knownDeviations) {
        const Rule* rule = ruleFor(*k.family, k.kind);
        const Weighing w = weigh(*rule, k.size, k.stored);
        std::printf("  %s / %s: %g against %.3f, %+.2f %%: %s\n", where(*k.family, k.kind).c_str(),
                    utf8(k.size).c_str(), k.stored, w.theoretical.value_or(0), w.deviation, k.why);
    }
    std::printf("\nNot weighed; held to orderings, shared rows and positive masses:\n");
    for (const Kind& k : orderedOnly) {
        for (std::size_t kind = 0; kind < k.family->kinds.size(); ++kind) {
            if (covers(k.family, k.kind, k.family, kind))
                std::printf("  %s (%zu sizes)\n", where(*k.family, kind).c_str(),
                            k.family->tables[kind].sizes.size());
        }
    }
}

bool reportRequested()
{
    const char* value = std::getenv("TARVIK_AUDIT_REPORT");
    return value && *value && std::string(value) != "0";
}

} // namespace

// A kind added to the catalogue must be weighed or ordered, never silently skipped.
TEST(CatalogueAudit, EveryKindIsWeighedOrHeldToItsOrderings)
{
    for (const Family* family : families) {
        for (std::size_t kind = 0; kind < family->kinds.size(); ++kind) {
            const auto weighed = std::count_if(std::begin(rules), std::end(rules), [&](const Rule& r) {
                return covers(r.family, r.kind, family, kind);
            });
            const auto ordered =
                std::count_if(std::begin(orderedOnly), std::end(orderedOnly),
                              [&](const Kind& k) { return covers(k.family, k.kind, family, kind); });
            EXPECT_EQ(weighed + ordered, 1) << where(*family, kind);
        }
    }
}

TEST(CatalogueAudit, UnitMassesMatchTheSectionsTheirSizesDescribe)
{
    const bool report = reportRequested();
    if (report) {
        std::printf("Catalogue audit: stored unit mass against the section in steel at 7850 kg/m³.\n"
                    "Deviation = stored / section mass - 1, in %%; the band is in %% of the section mass,\n"
                    "widened by %.3f kg for the rounding to two decimals.\n\n"
                    " sizes  known  worst %%  mean |%%|   band %%                           formula"
                    "                                  family / kind\n",
                    roundingAllowance);
    }
    for (const Family* family : families) {
        for (std::size_t kind = 0; kind < family->kinds.size(); ++kind) {
            const Rule* rule = ruleFor(*family, kind);
            if (!rule)
                continue;
            SCOPED_TRACE(where(*family, kind));
            const KindTable& table = family->tables[kind];
            const std::vector<Weighing> weighed = weighAll(*rule, table.sizes, table.unitMasses);
            for (const Weighing& w : weighed) {
                if (!w.theoretical) {
                    ADD_FAILURE() << utf8(w.size) << " does not read as this kind's section";
                    continue;
                }
                if (!w.withinBand && !knownDeviation(*family, kind, w.size)) {
                    ADD_FAILURE() << utf8(w.size) << ": stored " << w.stored << ", the section's mass is "
                                  << *w.theoretical << " (" << w.deviation << " %)";
                }
            }
            if (report)
                printReportRow(*rule, *family, kind, weighed);
        }
    }
    if (report)
        printKnownDeviations();
}

// Each exemption must still be needed: a known deviation that has come back inside its band, or
// whose stored mass has changed, is taken off the list rather than kept as a blind spot.
TEST(CatalogueAudit, KnownDeviationsAreStillTheStoredValuesAndStillOutsideTheirBand)
{
    for (const Known& k : knownDeviations) {
        SCOPED_TRACE(where(*k.family, k.kind) + " / " + utf8(k.size));
        const KindTable& table = k.family->tables[k.kind];
        const auto at = std::find(table.sizes.begin(), table.sizes.end(), k.size);
        ASSERT_NE(at, table.sizes.end());
        const double stored = table.unitMasses[static_cast<std::size_t>(at - table.sizes.begin())];
        EXPECT_EQ(stored, k.stored);
        const Rule* rule = ruleFor(*k.family, k.kind);
        ASSERT_NE(rule, nullptr);
        const Weighing w = weigh(*rule, k.size, stored);
        ASSERT_TRUE(w.theoretical);
        EXPECT_FALSE(w.withinBand);
        EXPECT_NEAR(w.deviation, k.deviation, 0.005);
    }
}

// The audit itself: one digit mistyped or two transposed in a copy of a table, and the audit
// names that size and no other.
TEST(CatalogueAudit, AMistypedUnitMassIsCaught)
{
    struct Case {
        const Family* family;
        std::size_t kind;
        Text size;
        double mistyped;
    };
    const Case cases[] = {
        {&rebar, 0, u"25", 3.58},               // 3.85
        {&squareBar, 0, u"40", 12.65},          // 12.56
        {&roundBar, 0, u"150", 137.72},         // 138.72
        {&sheet, 0, u"22", 177.2},              // 172.7
        {&sheet, 2, u"1,2", 9.24},              // 9.42
        {&flatStrip, 0, u"8x70", 4.7},          // 4.4
        {&roundPipe, 0, u"65x4", 7.5},          // 7.05
        {&roundPipe, 2, u"219x8", 41.36},       // 41.63
        {&roundPipe, 3, u"530x7", 90.92},       // 90.29
        {&profilePipe, 0, u"100x100x5", 14.14}, // 14.41
        {&profilePipe, 0, u"20x20x2", 1.8},     // 1.08, a thin wall
        {&profilePipe, 1, u"80x40x3.5", 6.4},   // 6.04
        {&angles, 0, u"90х7", 9.46},            // 9.64
        {&angles, 1, u"100х63х8", 9.78},        // 9.87
        {&channels, 1, u"120х60х5", 8.17},      // 8.71
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(*c.family, c.kind) + " / " + utf8(c.size));
        const KindTable& table = c.family->tables[c.kind];
        const auto at = std::find(table.sizes.begin(), table.sizes.end(), c.size);
        ASSERT_NE(at, table.sizes.end());
        std::vector<double> masses(table.unitMasses.begin(), table.unitMasses.end());
        masses[static_cast<std::size_t>(at - table.sizes.begin())] = c.mistyped;

        std::vector<Text> caught;
        for (const Weighing& w : weighAll(*ruleFor(*c.family, c.kind), table.sizes, masses)) {
            if (!w.withinBand && !knownDeviation(*c.family, c.kind, w.size))
                caught.push_back(w.size);
        }
        EXPECT_EQ(caught, std::vector<Text>{c.size});
    }
}

// Tables the catalogue says share their rows carry the same mass for the same text.
TEST(CatalogueAudit, SharedRowsCarryTheSameMass)
{
    // Rebar: four kinds load the full table, the other four a selection of its rows, in order.
    const KindTable& full = rebar.tables[0];
    for (std::size_t kind : {1, 3, 7}) {
        EXPECT_TRUE(std::equal(rebar.tables[kind].sizes.begin(), rebar.tables[kind].sizes.end(),
                               full.sizes.begin(), full.sizes.end()))
            << kind;
        EXPECT_TRUE(std::equal(rebar.tables[kind].unitMasses.begin(), rebar.tables[kind].unitMasses.end(),
                               full.unitMasses.begin(), full.unitMasses.end()))
            << kind;
    }
    for (std::size_t kind = 1; kind < rebar.tables.size(); ++kind) {
        SCOPED_TRACE(where(rebar, kind));
        const KindTable& table = rebar.tables[kind];
        std::size_t from = 0;
        for (std::size_t i = 0; i < table.sizes.size(); ++i) {
            while (from < full.sizes.size() && full.sizes[from] != table.sizes[i])
                ++from;
            ASSERT_LT(from, full.sizes.size()) << utf8(table.sizes[i]) << " is not a row of the full table";
            EXPECT_EQ(table.unitMasses[i], full.unitMasses[from]) << utf8(table.sizes[i]);
        }
    }

    // I-beams: a bare number in more than one of kinds 0, 3 and 4 weighs the same in each.
    struct Pair {
        std::size_t a;
        std::size_t b;
        std::size_t shared;
    };
    for (const Pair& p : {Pair{0, 3, 2}, Pair{0, 4, 9}, Pair{3, 4, 2}}) {
        SCOPED_TRACE(where(beams, p.a) + " and " + where(beams, p.b));
        const KindTable& a = beams.tables[p.a];
        const KindTable& b = beams.tables[p.b];
        std::size_t shared = 0;
        for (std::size_t i = 0; i < a.sizes.size(); ++i) {
            for (std::size_t j = 0; j < b.sizes.size(); ++j) {
                if (a.sizes[i] == b.sizes[j]) {
                    ++shared;
                    EXPECT_EQ(a.unitMasses[i], b.unitMasses[j]) << utf8(a.sizes[i]);
                }
            }
        }
        EXPECT_EQ(shared, p.shared);
    }

    // Profiled sheeting: the С21 and С44 profiles weigh the same, thickness for thickness.
    const KindTable& sheeting = profiledSheet.tables[0];
    const Text c21 = u"С21-1000-";
    const Text c44 = u"С44-1000-";
    std::size_t pairs = 0;
    for (std::size_t i = 0; i < sheeting.sizes.size(); ++i) {
        if (!sheeting.sizes[i].starts_with(c21))
            continue;
        const std::u16string twin =
            std::u16string(c44) + std::u16string(sheeting.sizes[i].substr(c21.size()));
        const auto at = std::find(sheeting.sizes.begin(), sheeting.sizes.end(), Text(twin));
        ASSERT_NE(at, sheeting.sizes.end()) << utf8(twin);
        EXPECT_EQ(sheeting.unitMasses[static_cast<std::size_t>(at - sheeting.sizes.begin())],
                  sheeting.unitMasses[i])
            << utf8(sheeting.sizes[i]);
        ++pairs;
    }
    EXPECT_EQ(pairs, 4u);
}

// Kinds named by numbers: a size whose every number is no larger than another's never weighs
// more. Beams read number and series ("35 Б2": 35, 2; "18М": 18, none), hot-rolled channels
// their number ("16п" counts as 16), sheeting its profile depth and thickness.
TEST(CatalogueAudit, NumberedKindsWeighMoreWithEveryNumber)
{
    using Key = std::vector<double> (*)(Text);
    struct Case {
        const Family* family;
        std::size_t kind;
        Key key;
        // Stated pairs that break the ordering: the first is heavier though its numbers are smaller.
        std::vector<std::pair<Text, Text>> exceptions;
    };
    const Key beamKey = [](Text t) {
        const std::vector<double> n = numbersIn(t);
        return std::vector<double>{n.at(0), n.size() > 1 ? n[1] : 0};
    };
    const Key channelKey = [](Text t) { return std::vector<double>{numbersIn(t).at(0)}; };
    const Key sheetingKey = [](Text t) {
        const std::vector<double> n = numbersIn(t);
        return std::vector<double>{n.at(0), n.at(2)};
    };
    std::vector<Case> cases;
    for (std::size_t kind = 0; kind < beams.kinds.size(); ++kind)
        cases.push_back({&beams, kind, beamKey, {}});
    cases[6].exceptions = {{u"45Ш1", u"50Ш1"}}; // the wide-flange kind
    cases.push_back({&channels, 0, channelKey, {}});
    cases.push_back({&profiledSheet, 0, sheetingKey, {}});

    for (const Case& c : cases) {
        SCOPED_TRACE(where(*c.family, c.kind));
        const KindTable& table = c.family->tables[c.kind];
        for (std::size_t a = 0; a < table.sizes.size(); ++a) {
            for (std::size_t b = 0; b < table.sizes.size(); ++b) {
                const std::vector<double> ka = c.key(table.sizes[a]);
                const std::vector<double> kb = c.key(table.sizes[b]);
                const bool smaller = std::equal(ka.begin(), ka.end(), kb.begin(), std::less_equal<>{});
                if (a == b || !smaller)
                    continue;
                const bool exception =
                    std::find(c.exceptions.begin(), c.exceptions.end(),
                              std::pair(table.sizes[a], table.sizes[b])) != c.exceptions.end();
                const std::string pair = utf8(table.sizes[a]) + " against " + utf8(table.sizes[b]);
                if (exception) {
                    EXPECT_GT(table.unitMasses[a], table.unitMasses[b]) << pair;
                } else {
                    EXPECT_LE(table.unitMasses[a], table.unitMasses[b]) << pair;
                }
            }
        }
    }
}

// "30 Б2" was once stored as its section's area in cm² (46.78), which put it above "35 Б1".
// Its series neighbours are not comparable by number and series alone, so pin its place.
TEST(CatalogueAudit, NormalBeam30B2WeighsBetweenItsNeighbours)
{
    const KindTable& normal = beams.tables[5];
    const auto massOf = [&normal](Text size) {
        const auto at = std::find(normal.sizes.begin(), normal.sizes.end(), size);
        EXPECT_NE(at, normal.sizes.end()) << utf8(size);
        return at == normal.sizes.end()
                   ? 0.0
                   : normal.unitMasses[static_cast<std::size_t>(at - normal.sizes.begin())];
    };
    EXPECT_LT(massOf(u"30 Б1"), massOf(u"30 Б2"));
    EXPECT_LT(massOf(u"30 Б2"), massOf(u"35 Б1"));
}
