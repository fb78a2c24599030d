// The metal, its grade, a density of one's own and «Свой размер», driven as a user drives them.

#include "calculator_fixture.h"
#include "catalogue/grades.h"
#include "text/captions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

constexpr int rebar = 1;
constexpr int roundBar = 4;
constexpr int sheet = 5;
constexpr int profilePipe = 10;
constexpr int own = Calculator::ownSection;
// «Свой размер»'s kinds.
constexpr int ownSheet = 3;
constexpr int ownRoundPipe = 5;
constexpr int ownProfilePipe = 6;
constexpr int ownEqualAngle = 7;
constexpr int ownUnequalAngle = 8;

struct Material : CalculatorFixture {
    FakeMaterial material;

    void SetUp() override { calc.attachMaterial(material); }

    void pick(GradeList list, int index)
    {
        (list == GradeList::Metal ? material.metal : material.grade) = index;
        if (list == GradeList::Metal)
            calc.metalChange();
        else
            calc.gradeChange();
    }
    void pickGrade(std::u16string_view metal, std::u16string_view grade)
    {
        const auto at = [](const std::vector<std::u16string>& items, std::u16string_view text) {
            const auto found = std::find(items.begin(), items.end(), text);
            EXPECT_NE(found, items.end());
            return static_cast<int>(found - items.begin());
        };
        pick(GradeList::Metal, at(material.metals, metal));
        pick(GradeList::Grade, at(material.grades, grade));
    }
    std::u16string calculate(int mode, int size, std::u16string_view number)
    {
        window.mode = mode;
        calc.sRadioGroupClick();
        window.list(DropDown::Element).index = size;
        window.input = number;
        calc.sButtonCalcClick();
        return calc.resultText();
    }
    void type(int field, std::u16string_view text)
    {
        material.fields.at(static_cast<std::size_t>(field)).text = text;
        calc.dimensionChange(field);
    }
    std::u16string calculateOwn(std::u16string_view number)
    {
        window.mode = 0;
        calc.sRadioGroupClick();
        window.input = number;
        calc.sButtonCalcClick();
        return calc.resultText();
    }
};

TEST_F(Material, StartsWithSteelSt3AndOffersEveryMetal)
{
    EXPECT_EQ(material.metals.size(), catalogue::metals.size());
    EXPECT_EQ(material.metals.at(0), u"Сталь");
    EXPECT_EQ(material.metal, 0);
    EXPECT_EQ(material.grades.at(0), u"Ст3");
    EXPECT_EQ(material.grade, 0);
    EXPECT_TRUE(material.fields.empty());
}

// Steel at 7850 is the catalogue itself: the same digits as a window without the material's
// controls, and a basis line that names them.
TEST_F(Material, SteelKeepsTodaysNumbersAndSaysItsBasis)
{
    FakeWindow plainWindow;
    Calculator plain(plainWindow, u',');
    plainWindow.kinds[roundBar - 1] = 0;
    plain.sListBoxClick(roundBar);
    plainWindow.mode = 0;
    plain.sRadioGroupClick();
    plainWindow.list(DropDown::Element).index = 7; // "20"
    plainWindow.input = u"12";
    plain.sButtonCalcClick();

    choose(roundBar, 0);
    EXPECT_EQ(calculate(0, 7, u"12"), plain.resultText());
    EXPECT_EQ(calc.resultText(), u"29,640 кг");
    EXPECT_EQ(material.basis, u"Масса 1 м: 2,47 кг · Ст3, 7850 кг/м³");
    EXPECT_TRUE(calc.canAddToEstimate());
    pickGrade(u"Сталь", u"40Х");
    EXPECT_EQ(calculate(0, 7, u"12"), u"29,640 кг");
}

TEST_F(Material, AnotherGradeScalesTheCatalogueMass)
{
    choose(roundBar, 0);
    pickGrade(u"Нержавеющая сталь", u"12Х18Н10Т");
    EXPECT_EQ(calculate(0, 7, u"1000"), u"2485,732 кг");
    EXPECT_EQ(material.basis, u"Масса 1 м: 2,485732 кг · 12Х18Н10Т, 7900 кг/м³");
    // The estimate takes it, with what it was weighed in.
    EXPECT_TRUE(calc.canAddToEstimate());
    EXPECT_TRUE(window.estimateAddEnabled);
    ASSERT_TRUE(calc.lastCalculation());
    EXPECT_EQ(calc.lastCalculation()->metal, u"Нержавеющая сталь");
    EXPECT_EQ(calc.lastCalculation()->grade, u"12Х18Н10Т");
    EXPECT_EQ(calc.lastCalculation()->density, 7900u);
    EXPECT_FALSE(calc.lastCalculation()->ownDensity);
    EXPECT_FALSE(calc.lastCalculation()->ownSection);
    // A grade change leaves the shown result out of date, as a size change does.
    pickGrade(u"Алюминий", u"АМг3");
    EXPECT_TRUE(window.resultOutOfDate);
    choose(sheet, 0);
    EXPECT_EQ(calculate(0, 3, u"1"), u"8,010 кг"); // 3 mm: 23,55 × 2670 ÷ 7850
    EXPECT_EQ(material.basis, u"Масса 1 кв.м: 8,01 кг · АМг3, 2670 кг/м³");
    window.mode = -1;
    calc.sButtonCalcClick();
    EXPECT_EQ(material.basis, u"");
}

// Rebar, beams, channels, sheeting and mesh are steel products: the lists show «Сталь», out of
// use, and the chosen grade waits for the next product that takes it.
TEST_F(Material, SteelOnlyProductsIgnoreTheGradeAndKeepIt)
{
    pickGrade(u"Медь", u"М1");
    material.density = u"8940";
    choose(rebar, 0);
    EXPECT_FALSE(material.gradeChoiceEnabled);
    EXPECT_EQ(material.metal, 0);
    EXPECT_EQ(material.grades, std::vector<std::u16string>{u"Сталь"});
    EXPECT_EQ(calculate(0, 7, u"1"), u"2,470 кг"); // rebar 20
    EXPECT_EQ(material.basis, u"Масса 1 м: 2,47 кг · Сталь, 7850 кг/м³");
    // The line names the metal alone, and not the typed density it ignored.
    const auto weighedIn = [this] {
        const Calculation& c = *calc.lastCalculation();
        return std::tuple(c.metal, c.grade, c.density, c.ownDensity);
    };
    EXPECT_EQ(weighedIn(), std::tuple(u"Сталь", u"", 7850u, false));
    choose(roundBar, 0);
    EXPECT_TRUE(material.gradeChoiceEnabled);
    EXPECT_EQ(material.metals.at(static_cast<std::size_t>(material.metal)), u"Медь");
    EXPECT_EQ(material.grades.at(static_cast<std::size_t>(material.grade)), u"М1");
    EXPECT_EQ(calculate(0, 7, u"1"), u"2,813 кг"); // 2,47 × 8940 ÷ 7850 = 2,8129681…
    EXPECT_EQ(material.basis, u"Масса 1 м: 2,812968 кг · своя плотность, 8940 кг/м³");
    EXPECT_EQ(weighedIn(), std::tuple(u"", u"", 8940u, true));
}

TEST_F(Material, ATypedDensityWinsWhileItIsAWholeNumberInRange)
{
    choose(roundBar, 0);
    const struct {
        std::u16string_view typed;
        std::u16string_view result; // empty: refused
    } cases[] = {
        {u"", u"2,470 кг"}, {u"500", u"0,157 кг"}, {u"25000", u"7,866 кг"},
        {u"499", u""},      {u"25001", u""},       {u"0", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
        material.density = c.typed;
        material.densityHint.clear();
        calc.densityChange();
        EXPECT_EQ(calculate(0, 7, u"1"), c.result);
        EXPECT_EQ(material.densityHint, c.result.empty() ? caption(Caption::DensityOutOfRange) : u"");
    }
}

TEST_F(Material, TheDensityFieldTakesDigitsOnly)
{
    EXPECT_EQ(calc.densityKeyPress(u'7').inserted, u"7");
    EXPECT_EQ(calc.densityKeyPress(u',').reason, caption(Caption::DensityDigitsOnly));
    EXPECT_EQ(material.densityHint, caption(Caption::DensityDigitsOnly));
    EXPECT_EQ(calc.densityKeyPress(u'x').inserted, u"");
    material.density = u"12345";
    EXPECT_EQ(calc.densityKeyPress(u'6').reason, caption(Caption::DensityOutOfRange));
    EXPECT_EQ(calc.densityKeyPress(8).inserted, std::u16string(1, 8)); // backspace
}

TEST_F(Material, TheChoiceIsKeptByNameBetweenRuns)
{
    pickGrade(u"Латунь", u"ЛС59-1");
    material.density = u"8450";
    const std::u16string setting = calc.materialSetting();

    FakeWindow otherWindow;
    Calculator other(otherWindow, u',');
    FakeMaterial otherMaterial;
    other.attachMaterial(otherMaterial);
    other.restoreMaterial(setting);
    EXPECT_EQ(otherMaterial.metals.at(static_cast<std::size_t>(otherMaterial.metal)), u"Латунь");
    EXPECT_EQ(otherMaterial.grades.at(static_cast<std::size_t>(otherMaterial.grade)), u"ЛС59-1");
    EXPECT_EQ(otherMaterial.density, u"8450");
    EXPECT_EQ(other.densityInUse(), 8450);

    // A grade no longer in the list, or a setting that is not one, starts over.
    for (std::u16string_view stale : {std::u16string_view(u"Латунь\tЛ96\t"), std::u16string_view(u"x")}) {
        other.restoreMaterial(stale);
        EXPECT_EQ(otherMaterial.metal, 0);
        EXPECT_EQ(otherMaterial.grade, 0);
        EXPECT_EQ(other.densityInUse(), catalogue::steelDensity);
    }
}

TEST_F(Material, AnOwnKindShowsItsDimensionFieldsInPlaceOfTheSizeLists)
{
    choose(profilePipe, 0);
    choose(own, ownRoundPipe);
    EXPECT_EQ(window.kindInUse, u"Труба круглая");
    EXPECT_EQ(window.kinds[profilePipe - 1], -1);
    for (DropDown list : {DropDown::Element, DropDown::E1, DropDown::E2})
        EXPECT_FALSE(window.list(list).visible);
    ASSERT_EQ(material.fields.size(), 2u);
    EXPECT_EQ(material.fields[0].caption, u"Наружный диаметр, мм");
    EXPECT_EQ(material.fields[1].caption, u"Толщина стенки, мм");
    EXPECT_FALSE(material.radiusStandardVisible);
    type(0, u"57");
    type(1, u"4");
    EXPECT_EQ(calculateOwn(u"1000"), u"5228,238 кг");
    EXPECT_EQ(material.basis, u"Масса 1 м: 5,228238 кг · Ст3, 7850 кг/м³");
    EXPECT_TRUE(calc.canAddToEstimate());
    ASSERT_TRUE(calc.lastCalculation());
    EXPECT_TRUE(calc.lastCalculation()->ownSection);
    EXPECT_FALSE(calc.lastCalculation()->perArea);
    EXPECT_EQ(calc.lastCalculation()->family, u"Свой размер");
    EXPECT_EQ(calc.lastCalculation()->kind, u"Труба круглая");
    EXPECT_EQ(calc.lastCalculation()->size, u"57х4");
    EXPECT_EQ(calc.lastCalculation()->grade, u"Ст3");
    pickGrade(u"Нержавеющая сталь", u"12Х18Н10Т");
    EXPECT_EQ(calculateOwn(u"1000"), u"5261,539 кг");

    // A catalogue kind brings the lists back and takes the fields away.
    choose(roundBar, 0);
    EXPECT_TRUE(material.fields.empty());
    EXPECT_TRUE(window.list(DropDown::Element).visible);
}

TEST_F(Material, BadDimensionsSayWhyBesideTheFieldAndGiveNoResult)
{
    choose(own, ownRoundPipe);
    type(0, u"57");
    type(1, u"28,5");
    EXPECT_EQ(calculateOwn(u"1"), u"");
    EXPECT_EQ(material.hintField, 1);
    EXPECT_EQ(material.focusedField, 1);
    EXPECT_EQ(material.dimensionHint, caption(Caption::PipeWallTooThick));
    type(1, u"4");
    EXPECT_EQ(material.hintField, -1);
    EXPECT_NE(calculateOwn(u"1"), u"");
    // The field's keys follow the number field's rules.
    EXPECT_EQ(calc.dimensionKeyPress(1, u'x').inserted, u"");
    EXPECT_EQ(material.hintField, 1);
    EXPECT_EQ(material.dimensionHint, u"Только цифры и запятая");
}

TEST_F(Material, TheStandardsFillInTheRadiiAndTheUserMayTypeHisOwn)
{
    choose(own, ownProfilePipe);
    EXPECT_TRUE(material.radiusStandardVisible);
    ASSERT_EQ(material.fields.size(), 4u);
    type(0, u"180");
    type(1, u"60");
    type(2, u"7");
    EXPECT_EQ(material.fields[3].text, u"17,5"); // ГОСТ 30245: 2,5 walls above 6 mm
    EXPECT_EQ(calculateOwn(u"1000"), u"23516,654 кг");
    material.radiusStandard = 1;
    calc.radiusStandardChange();
    EXPECT_EQ(material.fields[3].text, u"10,5"); // ГОСТ 8639/8645: 1,5 walls
    type(3, u"14");
    EXPECT_EQ(material.fields[3].text, u"14");

    choose(own, ownEqualAngle);
    type(0, u"50");
    EXPECT_EQ(material.fields[2].text, u"5,5");
    EXPECT_EQ(material.fields[3].text, u"1,8");
    type(1, u"5");
    EXPECT_EQ(calculateOwn(u"1000"), u"3768,794 кг");

    choose(own, ownUnequalAngle);
    type(0, u"125");
    type(1, u"80");
    EXPECT_EQ(material.fields[3].text, u"11");
    EXPECT_EQ(material.fields[4].text, u"3,7");
}

TEST_F(Material, AnOwnSheetIsReckonedByArea)
{
    choose(own, ownSheet);
    EXPECT_EQ(window.modeTexts[0], u"Массу по площади");
    type(0, u"3");
    pickGrade(u"Алюминий", u"АМг3");
    EXPECT_EQ(calculateOwn(u"2"), u"16,020 кг");
    EXPECT_EQ(material.basis, u"Масса 1 кв.м: 8,01 кг · АМг3, 2670 кг/м³");
}

} // namespace
