#include "calculator/own_section.h"
#include "catalogue/grades.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace tarvik;
using catalogue::OwnShape;

namespace {

std::uint64_t massOf(OwnShape shape, std::vector<std::u16string> dims, int density = 7850)
{
    const OwnSectionMass m = ownSectionMass(shape, dims, u',', density);
    EXPECT_TRUE(m.ok()) << "field " << m.badField;
    return m.millionths;
}

// Exact to the millionth, as a decimal reference computes them to 80 digits.
TEST(OwnSection, ComputesEachFormulaExactlyToSixDecimals)
{
    const struct {
        OwnShape shape;
        std::vector<std::u16string> dims;
        int density;
        std::uint64_t millionths;
    } cases[] = {
        {OwnShape::Circle, {u"20"}, 7850, 2'466'150},
        {OwnShape::Circle, {u"20"}, 7900, 2'481'858},
        {OwnShape::Square, {u"12"}, 7850, 1'130'400},
        {OwnShape::Hexagon, {u"10"}, 7850, 679'830},
        {OwnShape::Hexagon, {u"10"}, 8500, 736'122},
        {OwnShape::Sheet, {u"3"}, 2670, 8'010'000},
        {OwnShape::Strip, {u"45", u"6"}, 7850, 2'119'500},
        {OwnShape::Strip, {u"1", u"0,0001"}, 5000, 1}, // exactly half a millionth rounds up
        {OwnShape::Strip, {u"1", u"0,0001"}, 4999, 0},
        {OwnShape::RoundPipe, {u"57", u"4"}, 7850, 5'228'238},
        {OwnShape::RoundPipe, {u"57", u"4"}, 7900, 5'261'539},
        {OwnShape::ProfilePipe, {u"50", u"50", u"3", u"6"}, 7850, 4'245'461},
        {OwnShape::ProfilePipe, {u"200", u"200", u"5,5", u"11"}, 7850, 32'978'631},
        {OwnShape::ProfilePipe, {u"180", u"60", u"7", u"17,5"}, 7850, 23'516'654},
        {OwnShape::EqualAngle, {u"50", u"5", u"5,5", u"1,8"}, 7850, 3'768'794},
        {OwnShape::UnequalAngle, {u"125", u"80", u"8", u"11", u"3,7"}, 7850, 12'529'315},
        {OwnShape::UnequalAngle, {u"80", u"125", u"8", u"11", u"3,7"}, 7850, 12'529'315},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.shape));
        EXPECT_EQ(massOf(c.shape, c.dims, c.density), c.millionths);
    }
}

// Masses the standards publish, with the radii the standards fill in: within 0.5 %.
TEST(OwnSection, MatchesThePublishedMassesWithTheStandardsRadii)
{
    const auto profile = [](std::u16string a, std::u16string b, std::u16string s) {
        const std::u16string r = profileRadiusText(0, s, u',').value();
        return massOf(OwnShape::ProfilePipe, {a, b, s, r});
    };
    const auto angle = [](std::u16string b, std::u16string t) {
        const AngleRadiiTexts r = angleRadiiTexts(OwnShape::EqualAngle, b, b, u',').value();
        return massOf(OwnShape::EqualAngle, {b, t, r.root, r.toe});
    };
    const struct {
        const char* what;
        std::uint64_t millionths;
        double published;
    } cases[] = {
        {"angle 50x5", angle(u"50", u"5"), 3.77},
        {"profile pipe 50x50x3", profile(u"50", u"50", u"3"), 4.25},
        {"profile pipe 200x200x5.5", profile(u"200", u"200", u"5,5"), 32.98},
        {"profile pipe 180x60x7", profile(u"180", u"60", u"7"), 23.52},
        {"hexagon 10", massOf(OwnShape::Hexagon, {u"10"}), 0.680},
        {"round pipe 57x4", massOf(OwnShape::RoundPipe, {u"57", u"4"}), 5.23},
    };
    for (const auto& c : cases)
        EXPECT_LE(std::abs(static_cast<double>(c.millionths) / 1e6 / c.published - 1), 0.005) << c.what;
}

TEST(OwnSection, ProfileRadiusFollowsTheChosenStandard)
{
    const struct {
        std::size_t standard;
        std::u16string_view wall;
        std::u16string_view radius;
    } cases[] = {
        {0, u"3", u"6"},    {0, u"6", u"12"},  {0, u"6,000001", u"15,000003"}, // 2,5 s above 6
        {0, u"7", u"17,5"}, {0, u"10", u"25"}, {0, u"12", u"36"},
        {1, u"3", u"4,5"},  {1, u"12", u"18"}, {1, u"0,000001", u"0,000002"}, // 1,5 millionths, half up
    };
    for (const auto& c : cases)
        EXPECT_EQ(profileRadiusText(c.standard, c.wall, u','), std::u16string(c.radius))
            << c.standard << " " << std::string(c.wall.begin(), c.wall.end());
    EXPECT_FALSE(profileRadiusText(0, u"", u','));
    EXPECT_FALSE(profileRadiusText(0, u"3.5", u','));
}

TEST(OwnSection, AngleRadiiComeFromTheNearestWidthsOfTheTable)
{
    const struct {
        OwnShape shape;
        std::u16string_view a, b;
        std::u16string_view root, toe;
    } cases[] = {
        {OwnShape::EqualAngle, u"50", u"50", u"5,5", u"1,8"},
        {OwnShape::EqualAngle, u"53", u"53", u"5,5", u"1,8"},     // 50 and 56 equally near: the smaller
        {OwnShape::EqualAngle, u"54", u"54", u"6", u"2"},         // nearest: 56
        {OwnShape::EqualAngle, u"22,5", u"22,5", u"3,5", u"1,2"}, // a tie of 20 and 25: the smaller
        {OwnShape::EqualAngle, u"400", u"400", u"24", u"8"},      // beyond the table: its widest
        {OwnShape::UnequalAngle, u"125", u"80", u"11", u"3,7"},
        {OwnShape::UnequalAngle, u"80", u"125", u"11", u"3,7"}, // either flange first
        {OwnShape::UnequalAngle, u"100", u"64", u"10", u"3,3"},
    };
    for (const auto& c : cases) {
        const std::optional<AngleRadiiTexts> r = angleRadiiTexts(c.shape, c.a, c.b, u',');
        ASSERT_TRUE(r);
        EXPECT_EQ(r->root, c.root);
        EXPECT_EQ(r->toe, c.toe);
    }
}

TEST(OwnSection, BadDimensionsSayWhichFieldAndWhy)
{
    const struct {
        OwnShape shape;
        std::vector<std::u16string> dims;
        int field;
        Caption reason;
    } cases[] = {
        {OwnShape::Circle, {u""}, 0, Caption::DimensionMissing},
        {OwnShape::Circle, {u"0"}, 0, Caption::DimensionZero},
        {OwnShape::Circle, {u"0,000000"}, 0, Caption::DimensionZero},
        {OwnShape::Circle, {u"1,0000001"}, 0, Caption::DimensionTooPrecise},
        {OwnShape::Circle, {u"10000,000001"}, 0, Caption::DimensionTooLarge},
        {OwnShape::Circle, {u"99999999999999999999"}, 0, Caption::DimensionTooLarge},
        {OwnShape::Circle, {u"1.5"}, 0, Caption::DimensionNotNumber},
        {OwnShape::Circle, {u","}, 0, Caption::DimensionNotNumber},
        {OwnShape::Strip, {u"40", u"-4"}, 1, Caption::DimensionNotNumber},
        {OwnShape::RoundPipe, {u"57", u"28,5"}, 1, Caption::PipeWallTooThick},
        {OwnShape::ProfilePipe, {u"60", u"40", u"20", u"20"}, 2, Caption::ProfileWallTooThick},
        {OwnShape::ProfilePipe, {u"60", u"40", u"3", u"2,9"}, 3, Caption::ProfileRadiusBelowWall},
        {OwnShape::ProfilePipe, {u"60", u"40", u"3", u"20,1"}, 3, Caption::ProfileRadiusTooLarge},
        {OwnShape::EqualAngle, {u"50", u"50", u"5,5", u"1,8"}, 1, Caption::AngleTooThick},
        {OwnShape::UnequalAngle, {u"125", u"80", u"80", u"11", u"3,7"}, 2, Caption::AngleTooThick},
        {OwnShape::EqualAngle, {u"50", u"5", u"1,8", u"5,5"}, 3, Caption::ToeRadiusAboveRoot},
        {OwnShape::EqualAngle, {u"50", u"5", u"6", u"5"}, 3, Caption::ToeRadiusTooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dims.back().begin(), c.dims.back().end()));
        const OwnSectionMass m = ownSectionMass(c.shape, c.dims, u',', 7850);
        EXPECT_EQ(m.badField, c.field);
        EXPECT_EQ(m.reason, c.reason);
    }
    // The largest dimension, with six decimals' worth of trailing zeros beyond, still reads; an
    // angle's corners may be sharp.
    EXPECT_TRUE(
        ownSectionMass(OwnShape::Circle, std::vector<std::u16string>{u"10000,00000000"}, u',', 7850).ok());
    EXPECT_TRUE(
        ownSectionMass(OwnShape::EqualAngle, std::vector<std::u16string>{u"50", u"5", u"0", u"0"}, u',', 7850)
            .ok());
}

} // namespace
