#include "estimate/estimate_file.h"
#include "estimate/estimate_table.h"
#include "number/double_text.h"
#include "tests/estimate/estimate_fixture.h"
#include "tests/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

// An estimate with every kind of field filled: pieces, prices, an area
// line, a line whose unit mass was mended, a line whose size is gone, a
// deletion, settings away from their defaults and texts that JSON must
// escape.
Estimate fullEstimate(char16_t separator)
{
    Estimate e = makeEstimate();
    const std::uint64_t rebar = e.add(rebar12(u"25")).id;
    EXPECT_TRUE(e.editPieceSize(rebar, u"11,7"));
    EXPECT_TRUE(e.editPrice(rebar, u"56000,5"));
    EXPECT_TRUE(e.setPriceUnit(rebar, PriceUnit::Piece));
    const std::uint64_t sheet = e.add(sheet4(u"2,5")).id;
    EXPECT_TRUE(e.editPrice(sheet, u"61000"));
    EXPECT_TRUE(e.setPriceUnit(sheet, PriceUnit::Quantity));
    e.add(weldedMesh(u"10"));
    e.remove(e.add(rebar12(u"1")).id);
    EXPECT_TRUE(e.setVatRate(u"18,5"));
    e.setPricesIncludeVat(false);
    e.rename(u"Гараж \"Север\" \\ ../ \t\x01 \U0001F697 \xD800 конец");

    EstimateLine mended = e.line(0);
    mended.id = 0x900;
    mended.unitMass = 0.1 + 0.2; // not a catalogue mass, and no short decimal
    e.restore(mended);
    EstimateLine gone = e.line(1);
    gone.id = 0x901;
    gone.size = u"4,123";
    // Escaped, the longest kind outgrows the room first made for the file.
    gone.kind = std::u16string(maxEstimateTextUnits, u'\x1F');
    e.restore(gone);
    EstimateLine tiny = e.line(2);
    tiny.id = 0x902;
    tiny.unitMass = 1e-300; // its decimal text is longer than a number's in the file
    e.restore(tiny);
    e.add(amg3Sheet3(u"2"));
    e.add(ownSheet3(u"1,5"));

    if (separator == u',')
        return e;
    // The same estimate as one kept under a locale with a full stop.
    Estimate dot(separator, Counter{}, Counter{});
    dot.mergeFrom(e);
    return dot;
}

void expectSame(const Estimate& a, const Estimate& b)
{
    EXPECT_EQ(utf8(a.name()), utf8(b.name()));
    EXPECT_EQ(a.name(), b.name());
    EXPECT_EQ(a.vatRate(), b.vatRate());
    EXPECT_EQ(a.pricesIncludeVat(), b.pricesIncludeVat());
    EXPECT_EQ(a.settingsEdited(), b.settingsEdited());
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        EstimateLine x = a.line(i);
        const EstimateLine& y = b.line(i);
        changeSeparator(x, a.separator(), b.separator());
        EXPECT_EQ(x.id, y.id);
        EXPECT_EQ(utf8(x.family), utf8(y.family));
        EXPECT_EQ(utf8(x.kind), utf8(y.kind));
        EXPECT_EQ(utf8(x.size), utf8(y.size));
        EXPECT_EQ(doubleBits(x.unitMass), doubleBits(y.unitMass));
        EXPECT_EQ(x.quantityKind, y.quantityKind);
        EXPECT_EQ(utf8(x.requested), utf8(y.requested));
        EXPECT_EQ(utf8(x.pieceSize), utf8(y.pieceSize));
        EXPECT_EQ(utf8(x.pieces), utf8(y.pieces));
        EXPECT_EQ(utf8(x.quantity), utf8(y.quantity));
        EXPECT_EQ(utf8(x.mass), utf8(y.mass));
        EXPECT_EQ(utf8(x.price), utf8(y.price));
        EXPECT_EQ(x.priceUnit, y.priceUnit);
        EXPECT_EQ(x.edited, y.edited);
        EXPECT_EQ(x.note, y.note);
        EXPECT_EQ(utf8(x.metal), utf8(y.metal));
        EXPECT_EQ(utf8(x.grade), utf8(y.grade));
        EXPECT_EQ(x.density, y.density);
        EXPECT_EQ(x.ownDensity, y.ownDensity);
        EXPECT_EQ(x.ownSection, y.ownSection);
    }
    EXPECT_EQ(a.deleted(), b.deleted());
    EXPECT_EQ(a.totals().grams, b.totals().grams);
    EXPECT_EQ(a.totals().kopecks, b.totals().kopecks);
}

EstimateFileRead readBack(std::string_view bytes, char16_t separator)
{
    return readEstimateFile(bytes, separator, Counter{}, Counter{});
}

TEST(EstimateFile, KeepsEveryFieldUnderEitherSeparator)
{
    for (char16_t written : {u',', u'.'}) {
        const Estimate original = fullEstimate(written);
        ASSERT_EQ(original.size(), 8u);
        const std::string bytes = estimateFileBytes(original);
        for (char16_t reading : {u',', u'.'}) {
            SCOPED_TRACE(std::string("written with ") + char(written) + ", read with " + char(reading));
            const EstimateFileRead read = readBack(bytes, reading);
            ASSERT_EQ(read.fault, EstimateFileFault::None);
            ASSERT_TRUE(read.estimate);
            expectSame(original, *read.estimate);
            EXPECT_EQ(read.estimate->line(3).note, CatalogueNote::UnitMassChanged);
            EXPECT_EQ(read.estimate->line(4).note, CatalogueNote::NotInCatalogue);
            // Written again, the very same bytes: nothing drifts from save to save.
            EXPECT_EQ(estimateFileBytes(*read.estimate), bytes);
        }
    }
}

TEST(EstimateFile, WritesEveryNumberAsAStringWithAFullStop)
{
    const std::string bytes = estimateFileBytes(fullEstimate(u','));
    for (
        const char* expected : {
            R"("version": "3")",
            R"("vatRate": "1850")",
            R"("size": "3", "metal": "Алюминий", "grade": "АМг3", "density": "2670", "ownDensity": "0", "ownSection": "0", "unitMass": "8.01")",
            R"("metal": "", "grade": "", "density": "2700", "ownDensity": "1", "ownSection": "1")",
            R"("pricesIncludeVat": "0")",
            R"("unitMass": "0.89", "unitMassBits": "4606191626881995899")",
            R"("unitMass": "0.30000000000000004")",
            R"("requested": "25", "pieceSize": "11.7", "pieces": "3", "quantity": "35.100", "mass": "31.239", "price": "56000.50", "priceUnit": "piece")",
            R"("price": "61000.00", "priceUnit": "quantity")",
            R"("area": "1")",
        }) {
        EXPECT_NE(bytes.find(expected), std::string::npos) << expected;
    }
    EXPECT_NE(bytes.find(R"(\"Север\" \\ ../ \t\u0001 )"
                         "\xF0\x9F\x9A\x97"
                         " \xEF\xBF\xBD " // the lone half, replaced when the name was given
                         ),
              std::string::npos);
}

// Counts are written in parts of eight digits: each length, each edge.
TEST(EstimateFile, WritesCountsOfEveryLength)
{
    for (const std::uint64_t n :
         {std::uint64_t{0}, std::uint64_t{7}, std::uint64_t{99'999'999}, std::uint64_t{100'000'000},
          std::uint64_t{1'000'000'000'000'000}, std::uint64_t{10'000'000'000'000'000},
          std::uint64_t{10'000'000'000'000'001}, UINT64_MAX}) {
        SCOPED_TRACE(n);
        Estimate e = makeEstimate();
        e.restoreSettings(u"n", Estimate::defaultVatRate, true, n);
        const std::string bytes = estimateFileBytes(e);
        EXPECT_NE(bytes.find("\"settingsEdited\": \"" + std::to_string(n) + "\""), std::string::npos);
        const EstimateFileRead read = readBack(bytes, u',');
        ASSERT_TRUE(read.estimate);
        EXPECT_EQ(read.estimate->settingsEdited(), n);
    }
}

// A file written by the desktop before the core had its own writer: the
// same keys without the decimal unit mass, laid out differently.
TEST(EstimateFile, ReadsTheLayoutOfOtherWriters)
{
    const std::string bytes = R"({
    "deleted": {
        "7": "20"
    },
    "format": "tarvik-estimate",
    "lines": [
        {
            "area": "0",
            "edited": "12",
            "family": "Арматура",
            "id": "5",
            "kind": "Арматура А1",
            "mass": "8.900",
            "pieceSize": "",
            "pieces": "",
            "price": "",
            "quantity": "10.000",
            "requested": "10",
            "size": "12",
            "unitMassBits": "4606191626881995899"
        }
    ],
    "name": "Смета 1",
    "pricesIncludeVat": "1",
    "settingsEdited": "3",
    "vatRate": "2200",
    "version": "1"
}
)";
    const EstimateFileRead read = readBack(bytes, u',');
    ASSERT_EQ(read.fault, EstimateFileFault::None);
    const Estimate& e = *read.estimate;
    EXPECT_EQ(e.name(), u"Смета 1");
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e.line(0).mass, u"8,900");
    EXPECT_EQ(e.line(0).unitMass, 0.89);
    EXPECT_EQ(e.line(0).note, CatalogueNote::None);
    EXPECT_EQ(e.deleted().at(7), 20u);
    EXPECT_EQ(estimateFileName(bytes), u"Смета 1");
}

// A small valid file to break in the cases below.
std::string smallFile()
{
    Estimate e = makeEstimate();
    const std::uint64_t id = e.add(rebar12(u"25")).id;
    e.editPrice(id, u"100");
    e.add(sheet4(u"1"));
    e.remove(e.add(weldedMesh(u"1")).id);
    e.rename(u"Дом");
    return estimateFileBytes(e);
}

std::string replaced(std::string text, std::string_view from, std::string_view to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

TEST(EstimateFile, RefusesEveryDamagedOrHostileFileAsAWhole)
{
    const std::string good = smallFile();
    ASSERT_TRUE(readBack(good, u',').estimate);
    const std::string deep = "{\"format\": \"tarvik-estimate\", \"x\": " + std::string(10000, '[');
    const std::string deepClosed = std::string(10000, '[') + std::string(10000, ']');
    const std::string fiveHundredDigits = std::string(500, '9') + ".000";

    using F = EstimateFileFault;
    const struct {
        const char* what;
        std::string bytes;
        EstimateFileFault fault;
    } cases[] = {
        {"empty", "", F::Truncated},
        {"white space", " \n", F::Truncated},
        {"not JSON", "Смета", F::NotJson},
        {"garbage after the object", good + "x", F::NotJson},
        {"two documents", good + good, F::NotJson},
        {"a JSON array", "[1, 2]", F::WrongFormat},
        {"another program's JSON", R"({"format": "other", "version": "1"})", F::WrongFormat},
        {"unescaped control character", replaced(good, "Дом", "Д\nом"), F::NotJson},
        {"bad escape", replaced(good, "Дом", "\\q"), F::NotJson},
        {"invalid UTF-8", replaced(good, "Дом", "\xC3\x28"), F::InvalidUtf8},
        {"overlong UTF-8", replaced(good, "Дом", "\xC0\xAF"), F::InvalidUtf8},
        {"UTF-8 of a surrogate", replaced(good, "Дом", "\xED\xA0\x80"), F::InvalidUtf8},
        {"UTF-8 cut short", good.substr(0, good.find("Дом") + 1), F::InvalidUtf8},
        {"10,000 brackets open", deep, F::TooDeep},
        {"10,000 brackets closed", deepClosed, F::TooDeep},
        {"version 99", replaced(good, R"("version": "3")", R"("version": "99")"), F::NewerVersion},
        {"version 0", replaced(good, R"("version": "3")", R"("version": "0")"), F::BadValue},
        {"version as a number", replaced(good, R"("version": "3")", R"("version": 2)"), F::WrongFormat},
        {"version 1 naming a grade", replaced(good, R"("version": "3")", R"("version": "1")"),
         F::WrongFormat},
        {"version 2 pricing per unit", replaced(good, R"("version": "3")", R"("version": "2")"),
         F::WrongFormat},
        {"version 3 without a price unit", replaced(good, R"(, "priceUnit": "tonne")", ""), F::WrongFormat},
        {"a price unit not the format's", replaced(good, R"("priceUnit": "tonne")", R"("priceUnit": "т")"),
         F::BadValue},
        {"per piece without pieces", replaced(good, R"("priceUnit": "tonne")", R"("priceUnit": "piece")"),
         F::BadValue},
        {"a line without its density", replaced(good, R"("density": "7850", )", ""), F::WrongFormat},
        {"density zero", replaced(good, R"("density": "7850")", R"("density": "0")"), F::BadValue},
        {"density beyond any metal's", replaced(good, R"("density": "7850")", R"("density": "100001")"),
         F::BadValue},
        {"own density naming a grade", replaced(good, R"("ownDensity": "0")", R"("ownDensity": "1")"),
         F::BadValue},
        {"own section not a flag", replaced(good, R"("ownSection": "0")", R"("ownSection": "yes")"),
         F::BadValue},
        {"VAT rate as a number", replaced(good, R"("vatRate": "2200")", R"("vatRate": 2200)"),
         F::WrongFormat},
        {"VAT rate above 100 %", replaced(good, R"("vatRate": "2200")", R"("vatRate": "10001")"),
         F::BadValue},
        {"mass as a number", replaced(good, R"("mass": "22.250")", R"("mass": 22.25)"), F::WrongFormat},
        {"duplicate key", replaced(good, R"("name": "Дом")", R"("name": "Дом", "name": "Сад")"),
         F::WrongFormat},
        {"duplicate key in a line",
         replaced(good, R"("price": "100.00")", R"("price": "1.00", "price": "100.00")"), F::WrongFormat},
        {"unknown key in a line", replaced(good, R"("price": "100.00")", R"("price": "100.00", "x": "")"),
         F::WrongFormat},
        {"missing key", replaced(good, R"("price": "100.00", )", ""), F::WrongFormat},
        {"mass with a comma", replaced(good, R"("mass": "22.250")", R"("mass": "22,250")"), F::BadValue},
        {"negative mass", replaced(good, R"("mass": "22.250")", R"("mass": "-22.250")"), F::BadValue},
        {"mass of 500 digits",
         replaced(good, R"("mass": "22.250")", R"("mass": ")" + fiveHundredDigits + "\""), F::BadValue},
        {"mass beyond the calculator's range", replaced(good, R"("mass": "22.250")", R"("mass": "1E999999")"),
         F::BadValue},
        {"empty quantity", replaced(good, R"("quantity": "25.000")", R"("quantity": "")"), F::BadValue},
        {"price of three decimals", replaced(good, R"("price": "100.00")", R"("price": "100.001")"),
         F::BadValue},
        {"price of 500 digits",
         replaced(good, R"("price": "100.00")", R"("price": ")" + fiveHundredDigits + "\""), F::BadValue},
        {"requested not a number", replaced(good, R"("requested": "25")", R"("requested": "2 5")"),
         F::BadValue},
        {"pieces without a piece size", replaced(good, R"("pieces": "")", R"("pieces": "3")"), F::BadValue},
        {"piece size without pieces", replaced(good, R"("pieceSize": "")", R"("pieceSize": "6")"),
         F::BadValue},
        {"id beyond 64 bits", replaced(good, R"("id": "257")", R"("id": "18446744073709551616")"),
         F::BadValue},
        {"id with a leading zero", replaced(good, R"("id": "257")", R"("id": "0257")"), F::BadValue},
        {"unit mass of zero",
         replaced(good, R"("unitMassBits": "4606191626881995899")", R"("unitMassBits": "0")"), F::BadValue},
        {"unit mass not a number",
         replaced(good, R"("unitMassBits": "4606191626881995899")",
                  R"("unitMassBits": "9221120237041090560")"),
         F::BadValue},
        {"decimal unit mass disagreeing", replaced(good, R"("unitMass": "0.89")", R"("unitMass": "0.9")"),
         F::BadValue},
        {"a line also deleted", replaced(good, R"("259": ")", R"("257": ")"), F::BadValue},
        {"two lines of one id", replaced(good, R"("id": "258")", R"("id": "257")"), F::BadValue},
        {"a name too long", replaced(good, "Дом", std::string(3000, 'a')), F::TooLarge},
        {"name not a string", replaced(good, R"("name": "Дом")", R"("name": ["Дом"])"), F::WrongFormat},
        {"name an object", replaced(good, R"("name": "Дом")", R"("name": {"x": "Дом"})"), F::WrongFormat},
        {"a zero byte and more after the object", good + std::string("\0{}", 3), F::NotJson},
        {"a zero byte inside a string", replaced(good, "Дом", std::string("Д\0ом", 5)), F::NotJson},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const EstimateFileRead read = readBack(c.bytes, u',');
        EXPECT_EQ(read.fault, c.fault);
        EXPECT_FALSE(read.estimate);
        EXPECT_EQ(read.error, c.fault == F::NewerVersion ? EstimateFileError::NewerVersion
                                                         : EstimateFileError::Unreadable);
    }
}

TEST(EstimateFile, NoPrefixOfAFileReadsAsAnotherEstimate)
{
    const std::string good = smallFile();
    const std::string whole = estimateFileBytes(*readBack(good, u',').estimate);
    for (std::size_t length = 0; length < good.size(); ++length) {
        const EstimateFileRead read = readBack(std::string_view(good).substr(0, length), u',');
        // Only the last newline can go without changing what the file holds.
        if (read.estimate)
            EXPECT_EQ(estimateFileBytes(*read.estimate), whole) << length;
        else
            EXPECT_EQ(read.error, EstimateFileError::Unreadable) << length;
    }
}

// A file of `count` lines, ids 1..count.
std::string fileOfLines(std::size_t count)
{
    std::string lines;
    for (std::size_t i = 1; i <= count; ++i) {
        lines += i == 1 ? "\n" : ",\n";
        lines += R"({"id": ")" + std::to_string(i) +
                 R"(", "family": "Арматура", "kind": "Арматура А1", "size": "12",
"unitMassBits": "4606191626881995899", "area": "0", "requested": "1", "pieceSize": "", "pieces": "",
"quantity": "1.000", "mass": "0.890", "price": "1.00", "edited": "1"})";
    }
    return R"({"format": "tarvik-estimate", "version": "1", "name": "n", "vatRate": "2200",
"pricesIncludeVat": "1", "settingsEdited": "1", "deleted": {}, "lines": [)" +
           lines + "]}";
}

TEST(EstimateFile, ReadsUpToItsLimitOfLinesAndRefusesMore)
{
    const EstimateFileRead atLimit = readBack(fileOfLines(maxEstimateLines), u',');
    ASSERT_TRUE(atLimit.estimate);
    EXPECT_EQ(atLimit.estimate->size(), maxEstimateLines);
    EXPECT_EQ(atLimit.estimate->totals().grams, Amount(890 * maxEstimateLines));

    EXPECT_EQ(readBack(fileOfLines(maxEstimateLines + 1), u',').fault, EstimateFileFault::TooLarge);
    EXPECT_EQ(readBack(std::string(maxEstimateFileBytes + 1, ' '), u',').fault, EstimateFileFault::TooLarge);
}

// What of a damaged file still reads: the lines whole before and after a
// bad value, those before a fault of the JSON itself, nothing from a file
// that is not this program's.
TEST(EstimateFile, HandsBackTheLinesThatReadWholeFromADamagedFile)
{
    const std::string file = fileOfLines(27);
    const auto lineAt = [&file](std::size_t id) {
        return file.find(R"({"id": ")" + std::to_string(id) + "\"");
    };
    const std::string cut = file.substr(0, lineAt(14) + 40);
    std::string badValues =
        replaced(file, R"("id": "5", "family": "Арматура", "kind": "Арматура А1", "size": "12",
"unitMassBits": "4606191626881995899", "area": "0", "requested": "1")",
                 R"("id": "5", "family": "Арматура", "kind": "Арматура А1", "size": "12",
"unitMassBits": "4606191626881995899", "area": "0", "requested": "abc")");
    badValues = replaced(badValues, R"("id": "9")", R"("id": "8")");
    std::string badUtf8 = file;
    badUtf8.replace(lineAt(20) + 30, 1, "\xFF");

    const struct {
        const char* what;
        std::string bytes;
        std::size_t whole, held;
        EstimateFileFault fault;
        std::vector<std::uint64_t> idsLeft = {};
    } cases[] = {
        {"a value not the format's and a second line 8",
         badValues,
         25,
         27,
         EstimateFileFault::BadValue,
         {5, 9}},
        {"cut in line 14", cut, 13, 14, EstimateFileFault::Truncated},
        {"invalid UTF-8 in line 20", badUtf8, 19, 20, EstimateFileFault::InvalidUtf8},
        {"a later version", replaced(file, R"("version": "1")", R"("version": "4")").substr(0, lineAt(3)), 0,
         0, EstimateFileFault::Truncated},
        {"another program's", replaced(file, "tarvik-estimate", "other"), 0, 0,
         EstimateFileFault::WrongFormat},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const EstimateFileRead read = readBack(c.bytes, u',');
        EXPECT_FALSE(read.estimate);
        EXPECT_EQ(read.fault, c.fault);
        EXPECT_EQ(read.wholeLines.size(), c.whole);
        EXPECT_EQ(read.linesHeld, c.held);
        std::uint64_t id = 0;
        for (const EstimateLine& l : read.wholeLines) {
            do
                ++id;
            while (std::find(c.idsLeft.begin(), c.idsLeft.end(), id) != c.idsLeft.end());
            EXPECT_EQ(l.id, id);
            EXPECT_EQ(l.mass, u"0,890"); // in the reader's separator
        }
    }
    // A whole file hands back its estimate alone.
    const EstimateFileRead whole = readBack(file, u',');
    ASSERT_TRUE(whole.estimate);
    EXPECT_TRUE(whole.wholeLines.empty());
    EXPECT_EQ(whole.linesHeld, 27u);
}

TEST(EstimateFile, TheNameOfAFileForTheList)
{
    const std::string good = smallFile();
    EXPECT_EQ(estimateFileName(good), u"Дом");
    EXPECT_EQ(estimateFileName(good.substr(0, good.size() / 2)), std::nullopt);
    EXPECT_EQ(estimateFileName(replaced(good, R"("version": "3")", R"("version": "4")")), std::nullopt);
}

// The saved format's every version, as its writer wrote it.
const std::map<std::string_view, std::string_view> formatFixtures{
#include "format_fixtures.inc"
};

// What the fixture of the newest version holds, made as a user makes it:
// steel, another grade, an own section, a density of one's own; prices per
// piece, per square metre, per metre and per tonne.
Estimate everyMaterial()
{
    Estimate e = makeEstimate();
    const std::uint64_t rebar = e.add(rebar12(u"25")).id;
    EXPECT_TRUE(e.editPieceSize(rebar, u"11,7"));
    EXPECT_TRUE(e.editPrice(rebar, u"56000,5"));
    EXPECT_TRUE(e.setPriceUnit(rebar, PriceUnit::Piece));
    const std::uint64_t sheet = e.add(amg3Sheet3(u"2")).id;
    EXPECT_TRUE(e.editPrice(sheet, u"350000"));
    EXPECT_TRUE(e.setPriceUnit(sheet, PriceUnit::Quantity));
    const std::uint64_t pipe = e.add(stainlessPipe57x4(u"6")).id;
    EXPECT_TRUE(e.editPrice(pipe, u"1250,5"));
    EXPECT_TRUE(e.setPriceUnit(pipe, PriceUnit::Quantity));
    EXPECT_TRUE(e.editPrice(e.add(ownPipe57x4(u"6")).id, u"300000"));
    EXPECT_TRUE(e.add(ownSheet3(u"2")));
    e.remove(e.add(sheet4(u"1")).id);
    e.rename(u"Дом");
    return e;
}

// A change of the format is a new version with a fixture of its own.
TEST(EstimateFile, TodaysWriterWritesTheFixtureOfTheNewestVersion)
{
    EXPECT_EQ(estimateFileBytes(everyMaterial()),
              formatFixtures.at("version-" + std::to_string(estimateFileVersion)));
}

TEST(EstimateFile, ReadsEveryVersionItEverWrote)
{
    ASSERT_EQ(formatFixtures.size(), static_cast<std::size_t>(estimateFileVersion));
    struct Line {
        const char16_t* name;
        const char16_t* grade;
        CatalogueNote note = CatalogueNote::None;
        const char16_t* per = u"т";
        const char16_t* cost = u"";
    };
    const struct {
        std::string_view fixture;
        std::vector<Line> lines;
    } cases[] = {
        // Before grades: steel at the catalogue's density, checked against it as it was.
        {"version-1",
         {{u"Арматура А1", u"Сталь"},
          {u"Лист горячекатаный", u"Сталь"},
          {u"Арматура А1", u"Сталь", CatalogueNote::UnitMassChanged}}},
        // Before prices per unit: per tonne, costing what they did.
        {"version-2",
         {{u"Арматура А1", u"Сталь", CatalogueNote::None, u"т", u"1749,40"},
          {u"Лист горячекатаный 3, АМг3", u"АМг3", CatalogueNote::None, u"т", u"5607,00"},
          {u"Труба электросварная 57x4, 12Х18Н10Т", u"12Х18Н10Т"},
          {u"Труба круглая 57х4, 12Х18Н10Т", u"12Х18Н10Т"},
          {u"Лист 3, своя плотность 2700 кг/м³", u"своя плотность 2700 кг/м³"}}},
        {"version-3",
         {{u"Арматура А1", u"Сталь", CatalogueNote::None, u"шт", u"168001,50"},
          {u"Лист горячекатаный 3, АМг3", u"АМг3", CatalogueNote::None, u"кв.м", u"700000,00"},
          {u"Труба электросварная 57x4, 12Х18Н10Т", u"12Х18Н10Т", CatalogueNote::None, u"м", u"7503,00"},
          {u"Труба круглая 57х4, 12Х18Н10Т", u"12Х18Н10Т", CatalogueNote::None, u"т", u"9470,70"},
          {u"Лист 3, своя плотность 2700 кг/м³", u"своя плотность 2700 кг/м³"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fixture));
        const std::string_view bytes = formatFixtures.at(c.fixture);
        const EstimateFileRead read = readBack(bytes, u',');
        ASSERT_EQ(read.fault, EstimateFileFault::None);
        const Estimate& e = *read.estimate;
        EXPECT_EQ(estimateFileName(bytes), u"Дом");
        ASSERT_EQ(e.size(), c.lines.size());
        for (std::size_t i = 0; i < e.size(); ++i) {
            SCOPED_TRACE(i);
            const TableRow row = estimateLineRow(e, i, MoneyLayout::Plain);
            EXPECT_EQ(row[static_cast<std::size_t>(EstimateColumn::Name)], c.lines[i].name);
            EXPECT_EQ(row[static_cast<std::size_t>(EstimateColumn::Grade)], c.lines[i].grade);
            EXPECT_EQ(e.line(i).note, c.lines[i].note);
            EXPECT_EQ(row[static_cast<std::size_t>(EstimateColumn::PriceUnit)], c.lines[i].per);
            if (*c.lines[i].cost) {
                EXPECT_EQ(row[static_cast<std::size_t>(EstimateColumn::Cost)], c.lines[i].cost);
            }
        }
        // Saved again in the newest version, without loss.
        const std::string saved = estimateFileBytes(e);
        EXPECT_NE(saved.find(R"("version": ")" + std::to_string(estimateFileVersion) + "\""),
                  std::string::npos);
        const EstimateFileRead again = readBack(saved, u',');
        ASSERT_TRUE(again.estimate);
        expectSame(e, *again.estimate);

        // A file of this version cut in its last line hands back the lines before it as they were.
        const EstimateFileRead cut = readBack(bytes.substr(0, bytes.rfind("\"edited\"")), u',');
        ASSERT_EQ(cut.wholeLines.size(), e.size() - 1);
        for (std::size_t i = 0; i < cut.wholeLines.size(); ++i) {
            EstimateLine line = cut.wholeLines[i];
            line.note = catalogueNote(line);
            Estimate one = makeEstimate();
            one.restore(line);
            EXPECT_EQ(estimateLineRow(one, 0)[static_cast<std::size_t>(EstimateColumn::Name)],
                      c.lines[i].name);
        }
    }
}

} // namespace
