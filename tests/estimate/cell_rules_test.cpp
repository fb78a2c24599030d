// The estimate's cells: the number field's key rule with each cell's limit
// of decimals, and the words a face shows for a refused edit or a line note.

#include "estimate/estimate_messages.h"
#include "estimate/file_names.h"
#include "number/entry_rules.h"
#include "tests/estimate/estimate_fixture.h"
#include "tests/utf8.h"
#include "text/captions.h"

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

struct CellKeyCase {
    std::u16string text;
    int selectionStart, selectionEnd;
    char16_t key;
    int decimals;
    std::u16string inserted; // empty: refused
    std::u16string reason;
};

TEST(CellKeys, TakeAtMostTheCellsDecimals)
{
    const CellKeyCase cases[] = {
        {u"12", 2, 2, u'5', 0, u"5", {}},
        {u"12", 2, 2, u',', 0, {}, u"Здесь только целое число"},
        {u"", 0, 0, u'.', 0, {}, u"Здесь только целое число"}, // "0," would not be whole either
        {u"", 0, 0, u'.', 2, u"0,", {}},
        {u"12,5", 4, 4, u'0', 2, u"0", {}},
        {u"12,50", 5, 5, u'1', 2, {}, u"Не больше двух знаков после запятой"},
        {u"12,50", 1, 1, u'1', 2, u"1", {}}, // before the separator: no limit
        {u"12,50", 4, 5, u'1', 2, u"1", {}}, // typed over a decimal
        {u"12,50", 0, 5, u'7', 2, u"7", {}}, // over the whole text
        {u"12345", 1, 1, u',', 3, {}, u"Не больше трёх знаков после запятой"}, // "1,2345"
        {u"12345", 2, 2, u',', 3, u",", {}},
        {u"1,234", 5, 5, u'5', 3, {}, u"Не больше трёх знаков после запятой"},
        {u"12", 2, 2, u'x', 3, {}, u"Только цифры и запятая"}, // the field's own reason
        {u"65", 2, 2, u' ', 2, u" ", {}},                      // «65 000»
        {u"65", 2, 2, u'\u00A0', 2, u"\u00A0", {}},
        {u"", 0, 0, u' ', 2, {}, u"Только цифры и запятая"},
        {u"65 ", 3, 3, u' ', 2, {}, u"Только цифры и запятая"},
        {u"65,5", 4, 4, u' ', 2, {}, u"Только цифры и запятая"}, // not in the fraction
        {u"12,50", 5, 5, 8, 2, {8}, {}},                         // backspace always
        {u"", 0, 0, 0x7F, 2, {}, {}},                            // a control key drops silently
    };
    for (const CellKeyCase& c : cases) {
        SCOPED_TRACE(utf8(c.text) + " key " + std::to_string(c.key) + " decimals " +
                     std::to_string(c.decimals));
        const KeyVerdict v =
            cellKeyVerdict({c.text, c.selectionStart, c.selectionEnd}, c.key, u',', c.decimals);
        EXPECT_EQ(v.inserted, c.inserted);
        EXPECT_EQ(v.reason, c.reason);
    }
    // The separator in use is the one named.
    EXPECT_EQ(cellKeyVerdict({u"1.25", 4, 4}, u'1', u'.', 2).reason, u"Не больше двух знаков после точки");
}

TEST(EstimateMessages, NameEveryRefusalAndNote)
{
    EXPECT_EQ(editErrorText({}), u"");
    EXPECT_EQ(editErrorText({EditError::BadPrice}), caption(Caption::BadPrice));
    EXPECT_EQ(editErrorText({EditError::NeedsPieceSize}), caption(Caption::NeedsPieceSize));
    EXPECT_EQ(editErrorText({EditError::Calculation, u"Ошибка"}), u"Ошибка");

    Estimate e = makeEstimate();
    const std::uint64_t id = e.add(rebar12(u"10")).id;
    EXPECT_EQ(lineNotes(e, 0), u"");
    EstimateLine gone = e.line(0);
    gone.size = u"13";
    e.restore(gone);
    EXPECT_EQ(lineNotes(e, 0), caption(Caption::NotInCatalogueNote));
    // A mass beyond the gram cannot be priced: both notes at once.
    ASSERT_TRUE(e.editMass(id, u"1" + std::u16string(30, u'0')));
    ASSERT_TRUE(e.editPrice(id, u"1"));
    EXPECT_EQ(lineNotes(e, 0), std::u16string(caption(Caption::NotInCatalogueNote)) + u"; " +
                                   std::u16string(caption(Caption::CostOutOfRange)));
}

TEST(CalendarDate, PrintsDayMonthYear)
{
    EXPECT_EQ(calendarDateText({2025, 3, 7}), u"07.03.2025");
    EXPECT_EQ(calendarDateText({2031, 12, 31}), u"31.12.2031");
}

} // namespace
