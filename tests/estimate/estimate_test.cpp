#include "estimate/estimate.h"
#include "estimate/estimate_file.h"
#include "estimate/estimate_table.h"
#include "tests/estimate/estimate_fixture.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

std::u16string money(const Amount& kopecks)
{
    return formatAmount(kopecks, 2, u',');
}

TEST(Estimate, TakesALineAsTheCalculatorComputedIt)
{
    Estimate e = makeEstimate();
    const EditResult byLength = e.add(rebar12(u"12,5"));
    const EditResult byMass = e.add(rebar12(u"100", 1));
    const EditResult byArea = e.add(sheet4(u"2"));
    ASSERT_TRUE(byLength && byMass && byArea);
    EXPECT_EQ(byLength.id, 0x101u);
    const EstimateLine& l = e.line(0);
    EXPECT_EQ(l.quantity, u"12,500");
    EXPECT_EQ(l.mass, u"11,125");
    EXPECT_EQ(l.quantityKind, QuantityKind::Length);
    EXPECT_EQ(e.line(1).quantity, u"112,360");
    EXPECT_EQ(e.line(1).mass, u"100,000");
    EXPECT_EQ(e.line(2).quantityKind, QuantityKind::Area);
    EXPECT_EQ(e.line(2).mass, u"62,800");
    EXPECT_EQ(e.totals().lines, 3u);
    EXPECT_EQ(formatAmount(e.totals().grams, 3, u','), u"173,925");

    Calculation garbage = rebar12(u"1");
    garbage.number = u"abc";
    EXPECT_EQ(e.add(garbage).error, EditError::Calculation);
    EXPECT_EQ(e.add(rebar12(u"-1")).error, EditError::Negative);
    Calculation unknown = rebar12(u"1");
    unknown.family = u"Рельс";
    EXPECT_EQ(e.add(unknown).error, EditError::NotInCatalogue);
    EXPECT_EQ(e.size(), 3u);
}

TEST(Estimate, EditsRecomputeTheOtherNumber)
{
    Estimate e = makeEstimate();
    const std::uint64_t id = e.add(rebar12(u"10")).id;
    ASSERT_TRUE(e.editQuantity(id, u"20"));
    EXPECT_EQ(e.line(0).mass, u"17,800");
    ASSERT_TRUE(e.editMass(id, u"8,9"));
    EXPECT_EQ(e.line(0).quantity, u"10,000");
    EXPECT_EQ(e.line(0).mass, u"8,900");
    EXPECT_EQ(formatAmount(e.totals().grams, 3, u','), u"8,900");

    const std::u16string huge = u"1" + std::u16string(5000, u'0');
    const EditResult bad = e.editQuantity(id, huge);
    EXPECT_EQ(bad.error, EditError::Calculation);
    EXPECT_EQ(bad.message, u"'" + huge + u"' is not a valid floating point value.");
    EXPECT_EQ(e.editMass(id, u"-3").error, EditError::Negative);
    EXPECT_EQ(e.editQuantity(0xBAD, u"1").error, EditError::NoSuchLine);
    EXPECT_EQ(e.line(0).mass, u"8,900"); // a failed edit changes nothing
}

TEST(Estimate, PiecesRoundTheRequestedQuantityUpExactly)
{
    const struct {
        std::u16string_view requested, pieceSize, pieces, quantity, mass;
    } cases[] = {
        {u"25", u"11,7", u"3", u"35,100", u"31,239"},
        // 23,4 ÷ 11,7 is 2 exactly; in binary floating point it is not.
        {u"23,4", u"11,7", u"2", u"23,400", u"20,826"},
        {u"23,401", u"11,7", u"3", u"35,100", u"31,239"},
        {u"0,001", u"6", u"1", u"6,000", u"5,340"},
        {u"7,0000000000000000000000000001", u"7", u"2", u"14,000", u"12,460"},
        {u"1,2e1", u"6,000", u"2", u"12,000", u"10,680"},
    };
    for (const auto& c : cases) {
        Estimate e = makeEstimate();
        const std::uint64_t id = e.add(rebar12(std::u16string(c.requested))).id;
        ASSERT_TRUE(e.editPieceSize(id, c.pieceSize)) << utf8(c.requested);
        const EstimateLine& l = e.line(0);
        EXPECT_EQ(l.pieces, c.pieces) << utf8(c.requested);
        EXPECT_EQ(l.quantity, c.quantity) << utf8(c.requested);
        EXPECT_EQ(l.mass, c.mass) << utf8(c.requested);
        // Clearing the piece size gives back the quantity asked for.
        ASSERT_TRUE(e.editPieceSize(id, u""));
        EXPECT_EQ(e.line(0).pieces, u"");
        EXPECT_EQ(e.line(0).quantity, calculatedText(c.requested, u',', 1.0, 0));
    }
}

TEST(Estimate, TypedPiecesTakeTheFamilysDefaultPieceSize)
{
    const struct {
        Calculation added;
        std::u16string_view pieceSize, quantity;
    } cases[] = {
        {rebar12(u"1"), u"11,7", u"23,400"},
        {sheet4(u"1"), u"3,125", u"6,250"},
        {calculated({u"Швеллер", u"Швеллер горячекатаный", u"10", 8.59, 0, u"1", {}}), u"12", u"24,000"},
        {calculated({u"Полоса", u"Полоса ГОСТ 103-76", u"4x20", 0.63, 0, u"1", {}}), u"6", u"12,000"},
    };
    for (const auto& c : cases) {
        Estimate e = makeEstimate();
        const std::uint64_t id = e.add(c.added).id;
        ASSERT_TRUE(e.editPieces(id, u"2")) << utf8(c.added.family);
        EXPECT_EQ(e.line(0).pieceSize, c.pieceSize);
        EXPECT_EQ(e.line(0).quantity, c.quantity);
    }

    Estimate e = makeEstimate();
    const std::uint64_t mesh = e.add(weldedMesh(u"10")).id;
    EXPECT_EQ(e.editPieces(mesh, u"2").error, EditError::NeedsPieceSize);
    ASSERT_TRUE(e.editPieceSize(mesh, u"1,5"));
    ASSERT_TRUE(e.editPieces(mesh, u"4"));
    EXPECT_EQ(e.line(0).quantity, u"6,000");
    for (std::u16string_view bad : {u"0", u"1,5", u"-1", u"", u"два"})
        EXPECT_EQ(e.editPieces(mesh, bad).error, EditError::BadPieces) << utf8(bad);
    EXPECT_EQ(e.editPieces(mesh, u"1000000001").error, EditError::TooManyPieces);
    for (std::u16string_view bad : {u"0", u"1,2345", u"-2", u"x"})
        EXPECT_EQ(e.editPieceSize(mesh, bad).error, EditError::BadPieceSize) << utf8(bad);
    EXPECT_EQ(e.line(0).pieces, u"4");
}

TEST(Estimate, TotalsAddTheRoundedLineCostsExactly)
{
    Estimate e = makeEstimate();
    const std::uint64_t a = e.add(rebar12(u"0,5", 1)).id; // 0,500 kg
    const std::uint64_t b = e.add(rebar12(u"1234,567", 1)).id;
    e.add(sheet4(u"1"));
    ASSERT_TRUE(e.editPrice(a, u"10"));       // 0,005 roubles: 0,01
    ASSERT_TRUE(e.editPrice(b, u"78990,99")); // 97519,66955...: 97519,67
    EXPECT_EQ(e.line(1).price, u"78990,99");
    EXPECT_EQ(e.cost(0).state, LineCostState::Priced);
    EXPECT_EQ(money(e.cost(0).kopecks), u"0,01");
    EXPECT_EQ(e.cost(2).state, LineCostState::Unpriced);
    EXPECT_EQ(money(e.totals().kopecks), u"97519,68");
    EXPECT_EQ(e.totals().unpriced, 1u);
    EXPECT_EQ(formatAmount(e.totals().grams, 3, u','), u"1266,467");

    EXPECT_EQ(e.editPrice(a, u"1,005").error, EditError::BadPrice);
    ASSERT_TRUE(e.editPrice(b, u""));
    EXPECT_EQ(money(e.totals().kopecks), u"0,01");
    EXPECT_EQ(e.totals().unpriced, 2u);
    ASSERT_TRUE(e.editMass(a, u"1000"));
    EXPECT_EQ(money(e.totals().kopecks), u"10,00");
}

// Per tonne the mass, per metre or square metre the quantity after whole
// pieces, per piece the pieces: × the price, rounded half up once a line.
TEST(Estimate, ALineCostsItsPriceTimesWhatItIsPer)
{
    const auto rebar = [](std::u16string metres) { return rebar12(std::move(metres)); };
    const struct {
        const char* what;
        Calculation calculation;
        std::u16string_view pieces, price;
        PriceUnit unit;
        std::u16string_view cost;
    } cases[] = {
        {"10 m in 2 pieces per tonne", rebar(u"10"), u"2", u"1000", PriceUnit::Tonne, u"20,83"}, // 20,826 kg
        {"per metre: the 23,4 m of whole pieces", rebar(u"10"), u"2", u"1000", PriceUnit::Quantity,
         u"23400,00"},
        {"per piece", rebar(u"10"), u"2", u"1000", PriceUnit::Piece, u"2000,00"},
        {"per piece, a kopeck each", rebar(u"10"), u"2", u"0,01", PriceUnit::Piece, u"0,02"},
        {"1,1 m at 0,05: 0,055, up", rebar(u"1,1"), u"", u"0,05", PriceUnit::Quantity, u"0,06"},
        {"1,09 m at 0,05: 0,0545, down", rebar(u"1,09"), u"", u"0,05", PriceUnit::Quantity, u"0,05"},
        {"per square metre", sheet4(u"2,5"), u"", u"61000", PriceUnit::Quantity, u"152500,00"},
        {"the same sheet per tonne", sheet4(u"2,5"), u"", u"61000", PriceUnit::Tonne, u"4788,50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Estimate e = makeEstimate();
        const std::uint64_t id = e.add(c.calculation).id;
        if (!c.pieces.empty()) {
            ASSERT_TRUE(e.editPieces(id, c.pieces));
        }
        ASSERT_TRUE(e.editPrice(id, c.price));
        ASSERT_TRUE(e.setPriceUnit(id, c.unit));
        EXPECT_EQ(money(e.cost(0).kopecks), c.cost);
        EXPECT_EQ(money(e.totals().kopecks), c.cost);
        // The price stays as typed whatever it is per.
        EXPECT_EQ(e.line(0).price, formatAmount(readAmount(c.price, u',', 2).units, 2, u','));
    }

    // Two lines of 0,055 each: 0,06 twice, not 0,11 rounded once.
    Estimate e = makeEstimate();
    for (int i = 0; i < 2; ++i) {
        const std::uint64_t id = e.add(rebar(u"1,1")).id;
        ASSERT_TRUE(e.editPrice(id, u"0,05"));
        ASSERT_TRUE(e.setPriceUnit(id, PriceUnit::Quantity));
    }
    EXPECT_EQ(money(e.totals().kopecks), u"0,12");
}

// шт only while a line is in pieces: it cannot be chosen without a piece
// size, nor the piece size emptied under it.
TEST(Estimate, APricePerPieceNeedsPieces)
{
    Estimate e = makeEstimate();
    const std::uint64_t id = e.add(rebar12(u"10")).id;
    EXPECT_EQ(priceUnitChoices(e.line(0)), (std::vector{PriceUnit::Tonne, PriceUnit::Quantity}));
    EXPECT_EQ(e.setPriceUnit(id, PriceUnit::Piece).error, EditError::NotInPieces);
    ASSERT_TRUE(e.editPieces(id, u"2"));
    EXPECT_EQ(priceUnitChoices(e.line(0)).back(), PriceUnit::Piece);
    ASSERT_TRUE(e.setPriceUnit(id, PriceUnit::Piece));
    EXPECT_EQ(e.editPieceSize(id, u"").error, EditError::PricedPerPiece);
    EXPECT_EQ(e.line(0).pieces, u"2");
    ASSERT_TRUE(e.editPieceSize(id, u"6")); // another size keeps it in pieces: 23,4 m in 4
    ASSERT_TRUE(e.editPrice(id, u"500"));
    EXPECT_EQ(money(e.cost(0).kopecks), u"2000,00");
}

TEST(Estimate, AMassNotShownToTheGramStaysOutOfTheTotals)
{
    Estimate e = makeEstimate();
    const std::uint64_t huge = e.add(sheet4(u"1e20")).id; // 3,14E21 kg
    const std::uint64_t small = e.add(rebar12(u"1")).id;
    ASSERT_TRUE(e.editPrice(huge, u"100"));
    ASSERT_TRUE(e.editPrice(small, u"100000"));
    EXPECT_EQ(e.line(0).mass, u"3,14E21");
    EXPECT_EQ(e.cost(0).state, LineCostState::OutOfRange);
    EXPECT_EQ(e.totals().outOfRange, 1u);
    EXPECT_EQ(formatAmount(e.totals().grams, 3, u','), u"0,890");
    EXPECT_EQ(money(e.totals().kopecks), u"89,00");
    ASSERT_TRUE(e.editQuantity(huge, u"1"));
    EXPECT_EQ(e.totals().outOfRange, 0u);
    EXPECT_EQ(money(e.totals().kopecks), u"92,14"); // 31,4 kg at 100 roubles: 3,14 more
}

TEST(Estimate, DeletedAndClearedLinesComeBackWhereTheyStood)
{
    Estimate e = makeEstimate();
    const std::uint64_t a = e.add(rebar12(u"1")).id;
    const std::uint64_t b = e.add(rebar12(u"2")).id;
    const std::uint64_t c = e.add(rebar12(u"3")).id;
    const EstimateLine second = e.line(1);
    ASSERT_TRUE(e.remove(b));
    EXPECT_FALSE(e.remove(b));
    EXPECT_EQ(e.size(), 2u);
    EXPECT_EQ(formatAmount(e.totals().grams, 3, u','), u"3,560");
    EXPECT_TRUE(e.deleted().contains(b));
    e.putBack({{1, second}});
    EXPECT_EQ(e.line(1).id, b);
    EXPECT_EQ(e.rowOf(c), 2u);
    EXPECT_FALSE(e.deleted().contains(b));
    EXPECT_EQ(formatAmount(e.totals().grams, 3, u','), u"5,340");

    std::vector<PlacedLine> all;
    for (std::size_t row = 0; row < e.size(); ++row)
        all.push_back({row, e.line(row)});
    e.clear();
    EXPECT_EQ(e.size(), 0u);
    EXPECT_EQ(e.totals().lines, 0u);
    EXPECT_TRUE(e.deleted().contains(a));
    e.putBack(all);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e.line(0).id, a);
    EXPECT_EQ(e.line(2).id, c);
    EXPECT_EQ(formatAmount(e.totals().grams, 3, u','), u"5,340");
    EXPECT_TRUE(e.editQuantity(c, u"4")); // the index follows the rows
}

TEST(Estimate, AStoredLineKeepsItsNumbersAgainstTheCatalogue)
{
    Estimate e = makeEstimate();
    EstimateLine changed;
    changed.id = 1;
    changed.family = u"Арматура";
    changed.kind = u"Арматура А1";
    changed.size = u"12";
    changed.unitMass = 0.9;
    changed.requested = u"10";
    changed.quantity = u"10,000";
    changed.mass = u"9,000";
    EstimateLine gone = changed;
    gone.id = 2;
    gone.size = u"13";
    e.restore(changed);
    e.restore(gone);
    EXPECT_EQ(e.line(0).note, CatalogueNote::UnitMassChanged);
    EXPECT_EQ(e.line(1).note, CatalogueNote::NotInCatalogue);
    EXPECT_EQ(formatAmount(e.totals().grams, 3, u','), u"18,000");

    ASSERT_TRUE(e.editPrice(1, u"1000")); // no recomputation, the note stays
    EXPECT_EQ(e.line(0).note, CatalogueNote::UnitMassChanged);
    ASSERT_TRUE(e.editQuantity(1, u"10"));
    EXPECT_EQ(e.line(0).note, CatalogueNote::None);
    EXPECT_EQ(e.line(0).unitMass, 0.89);
    EXPECT_EQ(e.line(0).mass, u"8,900");
    ASSERT_TRUE(e.editQuantity(2, u"10")); // with its own unit mass
    EXPECT_EQ(e.line(1).mass, u"9,000");
    EXPECT_EQ(e.line(1).note, CatalogueNote::NotInCatalogue);
}

// Any metal, grade, density and «Свой размер»: the name as a buyer writes
// it, «Марка», and the catalogue check at the line's own density.
TEST(Estimate, ALineKnowsWhatItIsWeighedIn)
{
    const struct {
        Calculation calculation;
        const char16_t* name;
        const char16_t* grade;
        QuantityKind quantity;
        const char16_t* mass;
    } cases[] = {
        // The catalogue at its own density keeps the name it always had.
        {rebar12(u"10"), u"Арматура А1", u"Сталь", QuantityKind::Length, u"8,900"},
        {sheet4(u"1"), u"Лист горячекатаный", u"Ст3", QuantityKind::Area, u"31,400"},
        {amg3Sheet3(u"2"), u"Лист горячекатаный 3, АМг3", u"АМг3", QuantityKind::Area, u"16,020"},
        {stainlessPipe57x4(u"6"), u"Труба электросварная 57x4, 12Х18Н10Т", u"12Х18Н10Т", QuantityKind::Length,
         u"30,191"},
        {ownPipe57x4(u"6"), u"Труба круглая 57х4, 12Х18Н10Т", u"12Х18Н10Т", QuantityKind::Length, u"31,569"},
        {ownSheet3(u"2"), u"Лист 3, своя плотность 2700 кг/м³", u"своя плотность 2700 кг/м³",
         QuantityKind::Area, u"16,200"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.name));
        Estimate e = makeEstimate();
        ASSERT_TRUE(e.add(c.calculation));
        const EstimateLine& l = e.line(0);
        EXPECT_EQ(l.note, CatalogueNote::None); // an own section is not "gone from the catalogue"
        EXPECT_EQ(l.quantityKind, c.quantity);
        EXPECT_EQ(l.mass, c.mass);
        EXPECT_EQ(l.density, c.calculation.density);
        const TableRow row = estimateLineRow(e, 0);
        EXPECT_EQ(row[static_cast<std::size_t>(EstimateColumn::Name)], c.name);
        EXPECT_EQ(row[static_cast<std::size_t>(EstimateColumn::Size)], c.calculation.size);
        EXPECT_EQ(row[static_cast<std::size_t>(EstimateColumn::Grade)], c.grade);
    }

    // Against the catalogue scaled by the line's density: a mended АМг3 mass
    // goes back to 23,55 × 2670 ÷ 7850, not to the steel figure.
    Estimate e = makeEstimate();
    EstimateLine mended = e.line(e.rowOf(e.add(amg3Sheet3(u"1")).id).value());
    mended.unitMass = 8;
    e.restore(mended);
    EXPECT_EQ(e.line(0).note, CatalogueNote::UnitMassChanged);
    ASSERT_TRUE(e.editQuantity(mended.id, u"1"));
    EXPECT_EQ(e.line(0).note, CatalogueNote::None);
    EXPECT_EQ(e.line(0).unitMass, 8.01);
    // An own section keeps whatever unit mass its dimensions gave.
    EstimateLine own = e.line(e.rowOf(e.add(ownPipe57x4(u"1")).id).value());
    own.unitMass = 5;
    e.restore(own);
    EXPECT_EQ(e.line(1).note, CatalogueNote::None);
    ASSERT_TRUE(e.editQuantity(own.id, u"2"));
    EXPECT_EQ(e.line(1).mass, u"10,000");
}

TEST(Estimate, MergeKeepsAddedLinesLaterEditsAndDeletions)
{
    // Two copies of one estimate on a shared clock, edited apart.
    Counter clock;
    Estimate base = makeEstimate(0x100, clock);
    const std::uint64_t kept = base.add(rebar12(u"1")).id;
    const std::uint64_t editedHere = base.add(rebar12(u"2")).id;
    const std::uint64_t editedThere = base.add(rebar12(u"3")).id;
    const std::uint64_t deletedThere = base.add(rebar12(u"4")).id;
    const std::uint64_t deletedThenEditedHere = base.add(rebar12(u"5")).id;
    const std::uint64_t editedThenDeletedHere = base.add(rebar12(u"6")).id;
    Estimate here = base;
    Estimate there = base;
    (void)kept;

    there.remove(deletedThere);
    there.remove(deletedThenEditedHere);
    there.editQuantity(editedThenDeletedHere, u"60");
    there.editQuantity(editedThere, u"30");
    here.editQuantity(editedHere, u"20");
    here.editQuantity(deletedThenEditedHere, u"50");
    here.remove(editedThenDeletedHere);
    ASSERT_TRUE(there.add(rebar12(u"7")));
    here.rename(u"Дача");

    for (bool hereFirst : {true, false}) {
        Estimate merged = hereFirst ? here : there;
        merged.mergeFrom(hereFirst ? there : here);
        std::vector<std::u16string> quantities;
        for (std::size_t i = 0; i < merged.size(); ++i)
            quantities.push_back(merged.line(i).quantity);
        std::sort(quantities.begin(), quantities.end());
        const std::vector<std::u16string> expected{u"1,000", u"20,000", u"30,000", u"50,000", u"7,000"};
        EXPECT_EQ(quantities, expected) << hereFirst;
        EXPECT_EQ(merged.name(), u"Дача");
        EXPECT_TRUE(merged.deleted().contains(deletedThere));
        EXPECT_FALSE(merged.deleted().contains(deletedThenEditedHere));
        EXPECT_EQ(formatAmount(merged.totals().grams, 3, u','), u"96,120");
    }
}

// What a merge keeps of each line, whatever the rows' order.
std::map<std::uint64_t, std::u16string> mergedLines(const Estimate& e)
{
    std::map<std::uint64_t, std::u16string> lines;
    for (std::size_t i = 0; i < e.size(); ++i) {
        const EstimateLine& l = e.line(i);
        EXPECT_EQ(e.rowOf(l.id), i) << "the row index";
        lines[l.id] = l.quantity + u"|" + l.price + u"|" + fromUtf8(std::to_string(l.edited));
    }
    for (const auto& [id, when] : e.deleted())
        lines[id] = u"deleted " + fromUtf8(std::to_string(when));
    return lines;
}

// One rule decides what a merge keeps and whether it would change
// anything: asked first, the answer is what the merge then does, and
// merging either way round comes to the same lines.
TEST(Estimate, OneRuleDecidesTheMergeAndWhetherItChangesAnything)
{
    Counter clock;
    Estimate base = makeEstimate(0x100, clock);
    std::vector<std::uint64_t> ids;
    for (const char16_t* quantity : {u"1", u"2", u"3", u"4", u"5", u"6", u"7"})
        ids.push_back(base.add(rebar12(quantity)).id);
    const auto stamped = [&base](std::size_t row, std::u16string price, std::uint64_t edited) {
        EstimateLine l = base.line(row);
        l.price = std::move(price);
        l.edited = edited;
        return l;
    };
    const struct {
        const char* what;
        std::function<void(Estimate& here, Estimate& there)> change;
    } cases[] = {
        {"nothing new", [](Estimate&, Estimate&) {}},
        {"rows deleted there, apart",
         [&ids](Estimate&, Estimate& there) {
             for (std::size_t row : {0, 2, 5, 6})
                 there.remove(ids[row]);
         }},
        {"edits stamped alike",
         [&stamped](Estimate& here, Estimate& there) {
             here.restore(stamped(1, u"5,00", 999));
             there.restore(stamped(1, u"7,00", 999));
         }},
        {"a deletion and an edit stamped alike",
         [&stamped, &ids](Estimate& here, Estimate& there) {
             here.restore(stamped(3, u"5,00", 999));
             there.remove(ids[3]);
             there.restoreDeleted(ids[3], 999);
         }},
        {"an edit there, a later one here",
         [&ids](Estimate& here, Estimate& there) {
             ASSERT_TRUE(there.editPrice(ids[4], u"1"));
             ASSERT_TRUE(here.editPrice(ids[4], u"2"));
             there.remove(ids[5]);
             ASSERT_TRUE(here.editPrice(ids[5], u"3"));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Estimate here = base;
        Estimate there = base;
        c.change(here, there);
        std::vector<std::map<std::uint64_t, std::u16string>> results;
        for (bool hereFirst : {true, false}) {
            Estimate merged = hereFirst ? here : there;
            const Estimate& other = hereFirst ? there : here;
            const bool news = merged.mergeWouldChange(other);
            const std::string before = estimateFileBytes(merged);
            merged.mergeFrom(other);
            EXPECT_EQ(news, estimateFileBytes(merged) != before) << hereFirst;
            EXPECT_FALSE(merged.mergeWouldChange(other)) << hereFirst;
            Estimate recounted = makeEstimate();
            for (std::size_t i = 0; i < merged.size(); ++i)
                recounted.restore(merged.line(i));
            EXPECT_EQ(merged.totals().grams, recounted.totals().grams);
            EXPECT_EQ(merged.totals().kopecks, recounted.totals().kopecks);
            EXPECT_EQ(merged.totals().lines, recounted.totals().lines);
            results.push_back(mergedLines(merged));
        }
        EXPECT_EQ(results[0], results[1]);
    }
}

TEST(Estimate, ALineAMergeBroughtBackIsReplacedNotDoubled)
{
    Counter clock;
    Estimate base = makeEstimate(0x100, clock);
    const std::uint64_t id = base.add(rebar12(u"1")).id;
    base.add(rebar12(u"2"));
    Estimate here = base;
    Estimate there = base;
    const EstimateLine before = here.line(0);
    ASSERT_TRUE(here.remove(id));
    ASSERT_TRUE(there.editQuantity(id, u"5")); // later than the deletion: the merge keeps it
    here.mergeFrom(there);
    ASSERT_TRUE(here.rowOf(id));

    here.putBack({{0, before}});
    EXPECT_EQ(here.size(), 2u);
    EXPECT_EQ(formatAmount(here.totals().grams, 3, u','), u"2,670");
}

} // namespace
