#include "catalogue/family.h"
#include "catalogue/grades.h"
#include "catalogue/own_sections.h"
#include "tests/decimal_text.h"
#include "tests/first_level.h"
#include "tests/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using namespace tarvik::catalogue;
using tarvik::testing::decimalValue;
using tarvik::testing::firstLevels;
using tarvik::testing::utf8;

namespace {

constexpr char16_t latinX = u'x';
constexpr char16_t cyrillicKha = u'\u0445';

std::string where(const Family& family, std::size_t kind)
{
    return utf8(family.header) + " / " + utf8(family.kinds[kind]);
}

// The numbers of a size text cut at `joiner`, with a decimal comma or point.
std::vector<double> dimensions(Text text, char16_t joiner)
{
    std::vector<double> out;
    std::size_t from = 0;
    while (true) {
        const std::size_t to = std::min(text.find(joiner, from), text.size());
        const std::optional<double> value = decimalValue(text.substr(from, to - from));
        EXPECT_TRUE(value) << utf8(text);
        out.push_back(value.value_or(0));
        if (to == text.size())
            return out;
        from = to + 1;
    }
}

bool startsWithSection(Text size, Text section)
{
    return size.size() > section.size() && size.substr(0, section.size()) == section &&
           size[section.size()] == latinX;
}

// The second picker's items for `first`: the rest of every size that begins with it and "x".
std::vector<Text> secondLevels(const KindTable& table, Text first)
{
    std::vector<Text> out;
    for (Text size : table.sizes) {
        if (startsWithSection(size, first))
            out.push_back(size.substr(first.size() + 1));
    }
    return out;
}

} // namespace

TEST(Catalogue, EveryTableHasOneUnitMassPerSizeText)
{
    double lightest = 1e9;
    double heaviest = 0;
    for (const Family* family : families) {
        ASSERT_EQ(family->tables.size(), family->kinds.size()) << utf8(family->header);
        for (const KindTable& table : family->tables) {
            ASSERT_EQ(table.sizes.size(), table.unitMasses.size());
            for (double m : table.unitMasses) {
                EXPECT_GT(m, 0.0);
                lightest = std::min(lightest, m);
                heaviest = std::max(heaviest, m);
            }
        }
    }
    // The thinnest rebar and the thickest sheet bound the whole catalogue.
    EXPECT_EQ(lightest, 0.22);
    EXPECT_EQ(heaviest, 785);
}

TEST(Catalogue, KindTablesRunFromTheirFirstToTheirLastSize)
{
    struct Case {
        const Family* family;
        std::size_t kind;
        std::size_t count;
        Text first;
        double firstMass;
        Text last;
        double lastMass;
    };
    const Case cases[] = {
        {&beams, 0, 9, u"10", 9.46, u"45", 66.5},
        {&beams, 1, 10, u"20К1", 41.5, u"40К2", 171.7},
        {&beams, 2, 5, u"18М", 25.8, u"45М", 77.6},
        {&beams, 3, 5, u"20", 21, u"30", 36.5},
        {&beams, 4, 10, u"10", 9.46, u"50", 78.5},
        {&beams, 5, 16, u"20 Б1", 22.4, u"60 Б2", 105.5},
        {&beams, 6, 10, u"20Ш1", 30.6, u"50Ш1", 114.2},
        {&squareBar, 0, 12, u"10", 0.79, u"60", 28.26},
        {&roundBar, 0, 50, u"6,5", 0.26, u"280", 483.37},
        {&sheet, 0, 22, u"1,5", 11.77, u"100", 785},
        {&sheet, 1, 10, u"306", 12.19, u"610", 29.16},
        {&sheet, 2, 12, u"0,5", 3.92, u"3", 23.55},
        {&flatStrip, 0, 35, u"4x20", 0.63, u"20x40", 6.28},
        {&profiledSheet, 0, 18, u"С10-1100-0,5", 4.909, u"Н75-750-0,8", 11.213},
        {&profiledSheet, 1, 18, u"С10-1100-0,5", 4.909, u"Н75-750-0,8", 11.213},
        {&mesh, 0, 34, u"5х5х1,20", 4.52, u"80х80х3,0", 1.53},
        {&mesh, 1, 22, u"1x20x20", 0.62, u"8x200x200", 3.95},
        {&roundPipe, 0, 11, u"15x2.5", 1.16, u"100x4.5", 13.44},
        {&roundPipe, 1, 37, u"25x2.8", 1.53, u"102x8", 18.55},
        {&roundPipe, 2, 91, u"20x2.5", 1.08, u"426x16", 161.78},
        {&roundPipe, 3, 84, u"12x1.5", 0.37, u"530x8", 102.99},
        {&roundPipe, 4, 20, u"15x2.8", 0.84, u"159x4.5", 17.15},
        {&profilePipe, 0, 28, u"20x20x1.5", 0.84, u"200x200x8", 46.51},
        {&profilePipe, 1, 29, u"28x25x1.2", 0.95, u"180x140x6", 28.29},
        {&angles, 0, 47, u"25х4", 1.46, u"200х20", 60.08},
        {&angles, 1, 8, u"56х36х4", 2.81, u"160х100х10", 19.85},
        {&channels, 0, 15, u"5", 4.84, u"40", 48.3},
        {&channels, 1, 18, u"50х40х3", 2.81, u"250х125х6", 22.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(*c.family, c.kind));
        const KindTable& table = c.family->tables[c.kind];
        ASSERT_EQ(table.sizes.size(), c.count);
        ASSERT_EQ(table.unitMasses.size(), c.count);
        EXPECT_EQ(table.sizes.front(), c.first);
        EXPECT_EQ(table.unitMasses.front(), c.firstMass);
        EXPECT_EQ(table.sizes.back(), c.last);
        EXPECT_EQ(table.unitMasses.back(), c.lastMass);
    }
}

// Entries whose position or mass the catalogue singles out: out-of-order texts, equal or
// falling masses, texts shared between kinds with masses of their own.
TEST(Catalogue, SizesSitAtTheirPositionsWithTheirMasses)
{
    struct Case {
        const Family* family;
        std::size_t kind;
        std::size_t position;
        Text size;
        double mass;
    };
    const Case cases[] = {
        {&beams, 0, 8, u"45", 66.5},
        {&beams, 4, 9, u"50", 78.5},
        {&beams, 1, 0, u"20К1", 41.5},
        {&beams, 2, 1, u"24М", 38.3},
        {&beams, 5, 0, u"20 Б1", 22.4},
        {&beams, 5, 4, u"30 Б2", 36.7},
        {&beams, 5, 5, u"35 Б1", 41.4},
        {&beams, 5, 13, u"55 Б2", 97.9},
        {&beams, 5, 14, u"60 Б1", 94.6},
        {&beams, 6, 3, u"30Ш2", 68.6},
        {&beams, 6, 4, u"35Ш1", 65.3},
        {&beams, 6, 8, u"45Ш1", 123.5},
        {&squareBar, 0, 5, u"20", 3.14},
        {&roundBar, 0, 7, u"20", 2.47},
        {&roundBar, 0, 0, u"6,5", 0.26},
        {&roundBar, 0, 48, u"270", 449.22},
        {&sheet, 0, 1, u"2", 15.7},
        {&sheet, 0, 16, u"30", 235.5},
        {&sheet, 0, 18, u"50", 392.5},
        {&sheet, 1, 4, u"410", 21.08},
        {&sheet, 1, 5, u"506", 20.29},
        {&sheet, 1, 7, u"606", 20.66},
        {&sheet, 1, 8, u"608", 20.3},
        {&flatStrip, 0, 10, u"6x100", 4.71},
        {&flatStrip, 0, 11, u"6x25", 1.18},
        {&flatStrip, 0, 25, u"10x150", 11.78},
        {&flatStrip, 0, 26, u"10x20", 1.57},
        {&profiledSheet, 0, 1, u"С10-1100-0,55", 5.4},
        {&profiledSheet, 1, 11, u"С44-1000-0,8", 8.41},
        {&profiledSheet, 1, 13, u"Н57-750-0,8", 9.868},
        {&profiledSheet, 0, 16, u"Н75-750-0,7", 9.867},
        {&mesh, 0, 7, u"15х15х1,4", 1.77},
        {&mesh, 0, 20, u"35х35х2", 1.56},
        {&mesh, 0, 29, u"60х60х2,5", 1.41},
        {&mesh, 0, 30, u"6х6х1,20", 3.73},
        {&mesh, 0, 31, u"70х70х3,0", 1.74},
        {&mesh, 1, 1, u"2x24x24", 2.45},
        {&mesh, 1, 2, u"2x48x48", 1.01},
        {&mesh, 1, 16, u"6x100x100", 4.44},
        {&roundPipe, 0, 3, u"25x3.2", 2.39},
        {&roundPipe, 2, 3, u"25x3.2", 1.72},
        {&roundPipe, 3, 19, u"25x3.2", 1.63},
        {&roundPipe, 4, 2, u"25x3.2", 1.72},
        {&roundPipe, 0, 1, u"15x2.8", 1.28},
        {&roundPipe, 3, 2, u"15x2.8", 0.78},
        {&roundPipe, 4, 0, u"15x2.8", 0.84},
        {&roundPipe, 0, 2, u"20x2.8", 1.5},
        {&roundPipe, 3, 78, u"159x5", 18.99},
        {&roundPipe, 4, 16, u"108x4", 10.26},
        {&profilePipe, 0, 25, u"160x160x6", 28.29},
        {&profilePipe, 1, 3, u"40x20x2", 1.7},
        {&profilePipe, 1, 19, u"80x40x3", 5.25},
        {&profilePipe, 1, 24, u"100x50x4", 8.7},
        {&angles, 0, 25, u"100х12", 17.9},
        {&angles, 0, 26, u"100х7", 10.79},
        {&angles, 0, 4, u"40х5", 2.98},
        {&angles, 0, 5, u"45х4", 2.73},
        {&angles, 1, 5, u"100х63х8", 9.87},
        {&channels, 0, 1, u"6,5", 5.9},
        {&channels, 0, 6, u"16", 14.2},
        {&channels, 0, 7, u"16п", 14.2},
        {&channels, 1, 1, u"60х32х2,5", 2.26},
        {&channels, 1, 15, u"200х100х6", 17.79},
        {&channels, 1, 16, u"200х80х6", 15.91},
        {&channels, 1, 12, u"140х60х5", 9.49},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(*c.family, c.kind) + " / " + utf8(c.size));
        const KindTable& table = c.family->tables[c.kind];
        ASSERT_LT(c.position, table.sizes.size());
        EXPECT_EQ(table.sizes[c.position], c.size);
        EXPECT_EQ(table.unitMasses[c.position], c.mass);
    }
}

// Spelled with escapes so that a look-alike Latin letter cannot hide in the expectation.
TEST(Catalogue, LookAlikeLettersAreTheIntendedOnes)
{
    struct Case {
        const Family* family;
        std::size_t kind;
        std::size_t position;
        Text size;
    };
    const Case cases[] = {
        {&beams, 1, 0, u"20\u041a1"},                 // К
        {&beams, 2, 0, u"18\u041c"},                  // М
        {&beams, 5, 0, u"20 \u04111"},                // Б after a space
        {&beams, 6, 0, u"20\u04281"},                 // Ш
        {&profiledSheet, 0, 0, u"\u042110-1100-0,5"}, // С
        {&profiledSheet, 1, 12, u"\u041d57-750-0,7"}, // Н
        {&channels, 0, 7, u"16\u043f"},               // п
        {&channels, 0, 1, u"6,5"},
        {&roundBar, 0, 0, u"6,5"},
        {&mesh, 0, 0, u"5\u04455\u04451,20"},
        {&mesh, 1, 0, u"1x20x20"},
        {&angles, 1, 0, u"56\u044536\u04454"},
        {&flatStrip, 0, 11, u"6x25"},
        {&roundPipe, 1, 26, u"89x10"},
        {&profilePipe, 0, 0, u"20x20x1.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(*c.family, c.kind));
        ASSERT_LT(c.position, c.family->tables[c.kind].sizes.size());
        EXPECT_EQ(c.family->tables[c.kind].sizes[c.position], c.size);
    }
    EXPECT_EQ(profilePipe.tables[1].firstLevel[0], u"28x25");
}

TEST(Catalogue, SizeTextsHoldNoLatinLetterButX)
{
    auto check = [](const Family& family, std::size_t kind, Text text) {
        for (char16_t c : text) {
            const bool latin = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
            EXPECT_TRUE(!latin || c == latinX) << where(family, kind) << " / " << utf8(text);
        }
    };
    for (const Family* family : families) {
        for (std::size_t kind = 0; kind < family->tables.size(); ++kind) {
            for (Text size : family->tables[kind].sizes)
                check(*family, kind, size);
            for (Text first : family->tables[kind].firstLevel)
                check(*family, kind, first);
        }
    }
}

TEST(Catalogue, EachKindJoinsDimensionsWithItsOwnLetter)
{
    constexpr char16_t none = 0;
    struct Case {
        const Family* family;
        std::size_t kind;
        char16_t joiner;
    };
    const Case cases[] = {
        {&beams, 0, none},           {&beams, 1, none},         {&beams, 2, none},
        {&beams, 3, none},           {&beams, 4, none},         {&beams, 5, none},
        {&beams, 6, none},           {&squareBar, 0, none},     {&roundBar, 0, none},
        {&sheet, 0, none},           {&sheet, 1, none},         {&sheet, 2, none},
        {&flatStrip, 0, latinX},     {&profiledSheet, 0, none}, {&profiledSheet, 1, none},
        {&mesh, 0, cyrillicKha},     {&mesh, 1, latinX},        {&roundPipe, 0, latinX},
        {&roundPipe, 1, latinX},     {&roundPipe, 2, latinX},   {&roundPipe, 3, latinX},
        {&roundPipe, 4, latinX},     {&profilePipe, 0, latinX}, {&profilePipe, 1, latinX},
        {&angles, 0, cyrillicKha},   {&angles, 1, cyrillicKha}, {&channels, 0, none},
        {&channels, 1, cyrillicKha},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(*c.family, c.kind));
        for (Text size : c.family->tables[c.kind].sizes) {
            const bool latin = size.find(latinX) != Text::npos;
            const bool cyrillic = size.find(cyrillicKha) != Text::npos;
            EXPECT_EQ(latin, c.joiner == latinX) << utf8(size);
            EXPECT_EQ(cyrillic, c.joiner == cyrillicKha) << utf8(size);
        }
    }
}

TEST(Catalogue, TwoLevelKindsOfferTheirListedFirstLevels)
{
    struct Case {
        const Family* family;
        std::size_t kind;
        std::vector<Text> firstLevels;
    };
    const Case cases[] = {
        {&flatStrip, 0, {u"4", u"5", u"6", u"8", u"10", u"12", u"20"}},
        {&roundPipe, 0, {u"15", u"20", u"25", u"32", u"40", u"50", u"65", u"80", u"100"}},
        {&roundPipe,
         1,
         {u"25", u"32", u"36", u"38", u"42", u"45", u"57", u"60", u"68", u"70", u"73", u"76", u"83", u"89",
          u"95", u"102"}},
        {&roundPipe, 2, {u"20",  u"25",  u"32",  u"35",  u"38",  u"42",  u"45",  u"57",  u"60",
                         u"68",  u"70",  u"73",  u"76",  u"83",  u"89",  u"95",  u"102", u"108",
                         u"114", u"121", u"127", u"133", u"140", u"146", u"159", u"168", u"180",
                         u"194", u"219", u"245", u"273", u"325", u"377", u"426"}},
        {&roundPipe, 3, {u"12",  u"15",  u"16",  u"18",  u"19",  u"20",  u"22",  u"25",  u"28",
                         u"30",  u"32",  u"35",  u"38",  u"40",  u"42",  u"45",  u"48",  u"50",
                         u"51",  u"57",  u"60",  u"76",  u"89",  u"102", u"108", u"114", u"121",
                         u"127", u"133", u"140", u"159", u"219", u"530"}},
        {&roundPipe,
         4,
         {u"15", u"20", u"25", u"32", u"40", u"50", u"57", u"60", u"76", u"80", u"89", u"100", u"108", u"127",
          u"133", u"159"}},
        {&profilePipe,
         0,
         {u"20x20", u"25x25", u"30x30", u"40x40", u"50x50", u"60x60", u"80x80", u"100x100", u"140x140",
          u"160x160", u"200x200"}},
        {&profilePipe,
         1,
         {u"28x25", u"40x25", u"40x20", u"50x25", u"50x20", u"60x40", u"60x30", u"80x60", u"80x40", u"100x60",
          u"100x50", u"120x60", u"120x80", u"180x140"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(*c.family, c.kind));
        EXPECT_EQ(firstLevels(c.family->tables[c.kind]), c.firstLevels);
    }
}

// The second level lists walls and widths in size-list order, and a first level never takes in
// a longer number that begins with it ("32" and "325x8", "20x20" and "200x200x8").
TEST(Catalogue, SecondLevelsFollowTheSizeList)
{
    struct Case {
        const Family* family;
        std::size_t kind;
        Text first;
        std::vector<Text> seconds;
    };
    const Case cases[] = {
        {&flatStrip, 0, u"4", {u"20", u"25", u"30", u"40"}},
        {&flatStrip, 0, u"5", {u"20", u"25", u"30", u"40", u"50", u"60"}},
        {&flatStrip, 0, u"6", {u"100", u"25", u"30", u"40", u"50", u"60", u"80"}},
        {&flatStrip, 0, u"8", {u"100", u"30", u"40", u"50", u"60", u"70", u"80"}},
        {&flatStrip, 0, u"10", {u"100", u"150", u"20", u"30", u"40", u"50", u"70", u"80"}},
        {&flatStrip, 0, u"12", {u"150", u"40"}},
        {&flatStrip, 0, u"20", {u"40"}},
        {&roundPipe, 1, u"89", {u"10", u"3.5", u"4", u"5", u"6", u"8"}},
        {&roundPipe, 3, u"15", {u"2.5", u"2.8"}},
        {&roundPipe, 3, u"12", {u"1.5"}},
        {&roundPipe, 0, u"20", {u"2.8"}},
        {&roundPipe, 2, u"32", {u"2.8", u"3", u"4"}},
        {&roundPipe, 2, u"426", {u"9", u"10", u"12", u"16"}},
        {&profilePipe, 0, u"20x20", {u"1.5", u"2"}},
        {&profilePipe, 0, u"25x25", {u"1.5"}},
        {&profilePipe, 0, u"30x30", {u"1.5"}},
        {&profilePipe, 0, u"40x40", {u"1.5", u"2", u"2.5", u"5"}},
        {&profilePipe, 0, u"50x50", {u"2", u"3", u"4"}},
        {&profilePipe, 0, u"60x60", {u"3", u"4"}},
        {&profilePipe, 0, u"80x80", {u"3", u"3.5", u"4", u"5", u"6"}},
        {&profilePipe, 0, u"100x100", {u"3", u"4", u"5", u"6"}},
        {&profilePipe, 0, u"140x140", {u"5"}},
        {&profilePipe, 0, u"160x160", {u"4", u"5", u"6", u"8"}},
        {&profilePipe, 0, u"200x200", {u"8"}},
        {&profilePipe, 1, u"28x25", {u"1.2", u"1.5", u"2"}},
        {&profilePipe, 1, u"40x25", {u"1.5", u"2", u"2.5"}},
        {&profilePipe, 1, u"40x20", {u"2"}},
        {&profilePipe, 1, u"50x25", {u"1.5", u"2", u"2.5"}},
        {&profilePipe, 1, u"50x20", {u"3"}},
        {&profilePipe, 1, u"60x40", {u"2", u"2.5", u"3", u"4"}},
        {&profilePipe, 1, u"60x30", {u"2", u"2.5", u"3"}},
        {&profilePipe, 1, u"80x60", {u"5"}},
        {&profilePipe, 1, u"80x40", {u"2", u"3", u"3.5", u"4"}},
        {&profilePipe, 1, u"100x60", {u"4"}},
        {&profilePipe, 1, u"100x50", {u"3", u"4"}},
        {&profilePipe, 1, u"120x60", {u"4"}},
        {&profilePipe, 1, u"120x80", {u"6"}},
        {&profilePipe, 1, u"180x140", {u"6"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(*c.family, c.kind) + " / " + utf8(c.first));
        EXPECT_EQ(secondLevels(c.family->tables[c.kind], c.first), c.seconds);
    }
}

TEST(Catalogue, EveryTwoLevelSizeIsReachedFromExactlyOneFirstLevel)
{
    for (const Family* family : {&flatStrip, &roundPipe, &profilePipe}) {
        for (std::size_t kind = 0; kind < family->tables.size(); ++kind) {
            SCOPED_TRACE(where(*family, kind));
            const KindTable& table = family->tables[kind];
            const std::vector<Text> firsts = firstLevels(table);
            for (Text first : firsts)
                EXPECT_FALSE(secondLevels(table, first).empty()) << utf8(first);
            for (Text size : table.sizes) {
                const auto reaching = std::count_if(
                    firsts.begin(), firsts.end(), [&](Text first) { return startsWithSection(size, first); });
                EXPECT_EQ(reaching, 1) << utf8(size);
            }
        }
    }
}

TEST(Catalogue, KindsThatShareRowsReadOneTable)
{
    const KindTable& gost = beams.tables[0];
    const KindTable& ordinary = beams.tables[4];
    EXPECT_EQ(gost.sizes.data(), ordinary.sizes.data());
    EXPECT_EQ(gost.unitMasses.data(), ordinary.unitMasses.data());
    EXPECT_EQ(gost.sizes.size() + 1, ordinary.sizes.size());
    EXPECT_EQ(ordinary.sizes.back(), u"50");

    EXPECT_EQ(profiledSheet.tables[0].sizes.data(), profiledSheet.tables[1].sizes.data());
    EXPECT_EQ(profiledSheet.tables[0].unitMasses.data(), profiledSheet.tables[1].unitMasses.data());
    EXPECT_EQ(profiledSheet.tables[0].sizes.size(), profiledSheet.tables[1].sizes.size());
}

TEST(Catalogue, SheetKindsCarryTheirOwnSizeCaption)
{
    const Text captions[] = {u"Толщина листа, мм", u"Размер", u"Толщина листа, мм"};
    ASSERT_EQ(sheet.tables.size(), std::size(captions));
    for (std::size_t kind = 0; kind < std::size(captions); ++kind)
        EXPECT_EQ(sheet.tables[kind].sizeCaption, captions[kind]) << kind;
}

// Kinds whose sizes ascend in list order and whose masses must then ascend too; a slip of a
// digit in transcription, or a mass that does not fit its size, breaks the run.
TEST(Catalogue, UnitMassGrowsAlongAscendingLists)
{
    struct Case {
        const Family* family;
        std::size_t kind;
    };
    const Case cases[] = {
        {&beams, 0},     {&beams, 2},    {&beams, 3}, {&beams, 4},
        {&squareBar, 0}, {&roundBar, 0}, {&sheet, 0}, {&sheet, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(where(*c.family, c.kind));
        const auto masses = c.family->tables[c.kind].unitMasses;
        EXPECT_EQ(std::adjacent_find(masses.begin(), masses.end(), std::greater_equal<>{}), masses.end());
    }

    // Past 70 mm the round bar's gain per millimetre of diameter grows with every step.
    const KindTable& round = roundBar.tables[0];
    const auto from = std::find(round.sizes.begin(), round.sizes.end(), u"70") - round.sizes.begin();
    double previousGain = 0;
    for (std::size_t i = static_cast<std::size_t>(from) + 1; i < round.sizes.size(); ++i) {
        const double gain = (round.unitMasses[i] - round.unitMasses[i - 1]) /
                            (dimensions(round.sizes[i], 0)[0] - dimensions(round.sizes[i - 1], 0)[0]);
        EXPECT_GT(gain, previousGain) << utf8(round.sizes[i]);
        previousGain = gain;
    }
}

// A pipe with no smaller diameter and no thinner wall than another never weighs less.
TEST(Catalogue, RoundPipeWeighsMoreWithMoreDiameterOrWall)
{
    for (std::size_t kind = 0; kind < roundPipe.tables.size(); ++kind) {
        SCOPED_TRACE(where(roundPipe, kind));
        const KindTable& table = roundPipe.tables[kind];
        for (std::size_t a = 0; a < table.sizes.size(); ++a) {
            const std::vector<double> small = dimensions(table.sizes[a], latinX);
            for (std::size_t b = 0; b < table.sizes.size(); ++b) {
                const std::vector<double> large = dimensions(table.sizes[b], latinX);
                if (a != b && small[0] <= large[0] && small[1] <= large[1]) {
                    EXPECT_LE(table.unitMasses[a], table.unitMasses[b])
                        << utf8(table.sizes[a]) << " against " << utf8(table.sizes[b]);
                }
            }
        }
    }
}

// At equal cells a thicker wire weighs more; at an equal wire larger cells weigh less. Woven
// sizes read cell, cell, wire; welded ones wire, cell, cell.
TEST(Catalogue, MeshFollowsItsCellsAndWire)
{
    struct Mesh {
        double cell;
        double wire;
    };
    for (std::size_t kind = 0; kind < mesh.tables.size(); ++kind) {
        SCOPED_TRACE(where(mesh, kind));
        const KindTable& table = mesh.tables[kind];
        std::vector<Mesh> sizes;
        for (Text size : table.sizes) {
            const std::vector<double> d = dimensions(size, kind == 0 ? cyrillicKha : latinX);
            ASSERT_EQ(d.size(), 3u);
            sizes.push_back(kind == 0 ? Mesh{d[0], d[2]} : Mesh{d[2], d[0]});
        }
        for (std::size_t a = 0; a < sizes.size(); ++a) {
            for (std::size_t b = 0; b < sizes.size(); ++b) {
                const double ma = table.unitMasses[a];
                const double mb = table.unitMasses[b];
                const std::string pair = utf8(table.sizes[a]) + " against " + utf8(table.sizes[b]);
                if (sizes[a].cell == sizes[b].cell && sizes[a].wire < sizes[b].wire) {
                    EXPECT_LT(ma, mb) << pair;
                }
                if (sizes[a].wire == sizes[b].wire && sizes[a].cell < sizes[b].cell) {
                    EXPECT_GT(ma, mb) << pair;
                }
            }
        }
    }
}

// Metals and grades: steel and Ст3 first (a calculation starts there), every steel grade at the
// catalogue's own density, every density a whole number the density field would take, and no
// grade named twice.
TEST(Grades, StartWithSteelAndKeepEveryDensityInRange)
{
    ASSERT_FALSE(metals.empty());
    EXPECT_EQ(metals[0].name, u"Сталь");
    EXPECT_EQ(metals[0].grades[0].name, u"Ст3");
    std::vector<GradeText> names;
    for (const Metal& metal : metals) {
        ASSERT_FALSE(metal.grades.empty()) << utf8(metal.name);
        for (const Grade& grade : metal.grades) {
            EXPECT_GE(grade.density, lowestDensity) << utf8(grade.name);
            EXPECT_LE(grade.density, highestDensity) << utf8(grade.name);
            if (&metal == &metals[0]) {
                EXPECT_EQ(grade.density, steelDensity) << utf8(grade.name);
            }
            EXPECT_EQ(std::count(names.begin(), names.end(), grade.name), 0) << utf8(grade.name);
            names.push_back(grade.name);
        }
    }
}

// The standards' tables of angle radii: widths in ascending order (the lookup takes the first of
// two equally near rows as the smaller), the toe radius below the root radius.
TEST(OwnSections, AngleRadiiTablesAscendAndKeepTheToeBelowTheRoot)
{
    for (auto table : {equalAngleRadii, unequalAngleRadii}) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_LT(table[i].toeRadiusTenths, table[i].rootRadiusTenths) << table[i].legA;
            EXPECT_GE(table[i].legA, table[i].legB);
            if (i > 0) {
                EXPECT_GE(table[i].legA + table[i].legB, table[i - 1].legA + table[i - 1].legB)
                    << table[i].legA;
            }
        }
    }
    for (const AngleRadii& row : equalAngleRadii)
        EXPECT_EQ(row.legA, row.legB);
}
