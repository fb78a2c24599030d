#include "number/errors.h"
#include "number/number_text.h"
#include "tests/number/float80_print.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace tarvik;

namespace {

constexpr std::uint64_t top = std::uint64_t{1} << 63;

Float80 read(std::u16string_view text)
{
    return strToFloat(text, u',');
}

TEST(StrToFloat, AcceptsTheGrammarAndRoundsCorrectly)
{
    const struct {
        std::u16string text;
        Float80 value;
    } cases[] = {
        {u"12", {false, 16386, 0xC000000000000000u}},
        {u"12,5", {false, 16386, 0xC800000000000000u}},
        {u"12,", {false, 16386, 0xC000000000000000u}},
        {u",5", {false, 16382, top}},
        {u",", {false, 0, 0}},
        {u"  -12,5  ", {true, 16386, 0xC800000000000000u}},
        {u"+7", {false, 16385, 0xE000000000000000u}},
        {u"00012", {false, 16386, 0xC000000000000000u}},
        {u"1e3", {false, 16392, 0xFA00000000000000u}},
        {u"1E+3", {false, 16392, 0xFA00000000000000u}},
        {u"2,5e-3", {false, 16374, 0xA3D70A3D70A3D70Au}},
        {u"1e", {false, 16383, top}},
        {u"1e-", {false, 16383, top}},
        {u",e5", {false, 0, 0}},
        {u"1e0499", {false, 18040, 0xC7C265EA160544ACu}},
        {u"1e500", {false, 18043, 0xF9B2FF649B8695D7u}},
        {u"0e4999", {false, 0, 0}},
        {u"0,1", {false, 16379, 0xCCCCCCCCCCCCCCCDu}},
        {u"0,89", {false, 16382, 0xE3D70A3D70A3D70Au}},
        {u"1,0005", {false, 16383, 0x8010624DD2F1A9FCu}},
        {u"999999999999999999", {false, 16442, 0xDE0B6B3A763FFFF0u}},
        {u"-1e-3000", {true, 6417, 0x94A4CF2019D7BA15u}},
        // Beyond 19 digits the exact decimal is still rounded once.
        {u"12345678901234567891", {false, 16446, 0xAB54A98CEB1F0AD3u}},
        {u"0,1000000000000000000000000000001", {false, 16379, 0xCCCCCCCCCCCCCCCDu}},
        // 2^64 + 1 lies halfway between 2^64 and 2^64 + 2: to even.
        {u"18446744073709551617", {false, 16383 + 64, top}},
        {u"18446744073709551619", {false, 16383 + 64, top + 2}},
        // Subnormals, and half the smallest of them as zero.
        {u"1e-4940", {false, 0, 0x0000000663278E62u}},
        {u"3,6451995318824746025e-4951", {false, 0, 1}},
        {u"1,8225997659412373012e-4951", {false, 0, 0}},
        {u"1e-4999", {false, 0, 0}},
        {u"-0", {true, 0, 0}},
        // The largest finite value, and a text that only just rounds to it.
        {u"1,18973149535723176505e4932", {false, 32766, ~std::uint64_t{0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(read(c.text), c.value);
    }
}

TEST(StrToFloat, RefusesWithTheWholeTextInTheMessage)
{
    const std::u16string refused[] = {
        u"",
        u"   ",
        u"-",
        u"+",
        u"e5",
        u"12.5",
        u"1 000",
        u"1,2,3",
        u"abc",
        u"\t12",
        u"12\n",
        u"١٢",
        u"1e5000",
        u"1e4999",
        u"1e-5000",
        u"NaN",
        u"Inf",
        u"--1",
        u"1e++2",
        u"0x10",
        std::u16string(u"1\0"
                       u"2",
                       3),
        std::u16string(5000, u'9'), // beyond the extended range
        u"1,18973149535723176506e4932",
        u"-1e4933",
    };
    for (const auto& text : refused) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        try {
            strToFloat(text, u',');
            ADD_FAILURE() << "accepted";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.message(), u"'" + text + u"' is not a valid floating point value");
        }
    }
}

TEST(StrToFloat, UsesTheGivenSeparatorOnly)
{
    EXPECT_EQ(strToFloat(u"12.5", u'.'), read(u"12,5"));
    EXPECT_THROW(strToFloat(u"12,5", u'.'), CalcError);
    EXPECT_EQ(strToFloat(u"12", u'.'), read(u"12"));
}

// Values given by the texts that read as them.
struct Formatted {
    std::u16string_view value;
    std::u16string_view text;
};

TEST(FormatFloat000, RoundsTheThirdDecimalOnTheDecimalForm)
{
    const Formatted cases[] = {
        {u"0", u"0,000"},
        {u"-0", u"0,000"},
        {u"12", u"12,000"},
        {u"12,3456", u"12,346"},
        // The binary value of 1.0005 lies just below it; its 18-digit form
        // does not, and that form decides.
        {u"1,0005", u"1,001"},
        {u"0,0005", u"0,001"},
        {u"-0,0005", u"-0,001"},
        {u"0,0015", u"0,002"},
        {u"9,9995", u"10,000"},
        {u"0,9995", u"1,000"},
        {u"-0,0004", u"0,000"},
        {u"1e-10", u"0,000"},
        {u"-1e-3000", u"0,000"},
        {u"1e-4940", u"0,000"},
        // Places beyond the 18th significant digit are zeros.
        {u"1234567890123456,789", u"1234567890123456,790"},
        {u"999999999999999999", u"999999999999999999,000"},
        {u"-123456,5", u"-123456,500"},
        // Ties of the 18-digit form go to even.
        {u"123456789012345678,5", u"123456789012345678,000"},
        {u"123456789012345677,5", u"123456789012345678,000"},
        {u"999999999999999999,5", u"1000000000000000000,000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value.begin(), c.value.end()));
        EXPECT_EQ(formatFloat000(read(c.value), u','), c.text);
    }
}

TEST(FormatFloat000, WritesTheScientificFormFromTenToTheEighteenth)
{
    const Formatted cases[] = {
        {u"1e18", u"1E18"},
        {u"-1e18", u"-1E18"},
        {u"2,5e20", u"2,5E20"},
        {u"123456789012345678901234", u"1,23456789012346E23"},
        {u"999999999999999950000", u"1E21"},
        {u"1234567890123454995", u"1,23456789012346E18"},
        {u"1,1e4000", u"1,1E4000"},
        {u"-1,18973149535723176502e4932", u"-1,18973149535723E4932"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value.begin(), c.value.end()));
        EXPECT_EQ(formatFloat000(read(c.value), u','), c.text);
    }
}

TEST(FormatFloat000, WritesTheGivenSeparatorAndTheSpecialValues)
{
    EXPECT_EQ(formatFloat000(read(u"11,125"), u'.'), u"11.125");
    EXPECT_EQ(formatFloat000(read(u"2,5e20"), u'.'), u"2.5E20");
    EXPECT_EQ(formatFloat000(Float80::infinity(true), u','), u"-INF");
    EXPECT_EQ(formatFloat000(Float80::nan(), u','), u"NAN");
}

TEST(ErrorBoxText, AppendsAFullStopAfterLettersOnly)
{
    EXPECT_EQ(errorBoxText(u"Floating point overflow"), u"Floating point overflow.");
    EXPECT_EQ(errorBoxText(u"'x' is not a valid floating point value"),
              u"'x' is not a valid floating point value.");
    EXPECT_EQ(errorBoxText(u"done."), u"done.");
    EXPECT_EQ(errorBoxText(u"ends with '!'"), u"ends with '!'");
}

} // namespace

namespace {

// Once the application sets the user's locale, the C library reads and
// writes numbers the Russian way; the conversions must not follow it.
TEST(NumberText, IgnoreTheCLibraryLocale)
{
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8"))
        GTEST_SKIP() << "ru_RU.UTF-8 is not available to the C library";
    if (std::strtod("12.5", nullptr) != 12.0) {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "this C library's number conversions do not follow the locale";
    }
    EXPECT_EQ(strToFloat(u"12,5", u','), read(u"12,5"));
    EXPECT_EQ(strToFloat(u"12.5", u'.'), read(u"12,5"));
    EXPECT_EQ(formatFloat000(read(u"11,125"), u'.'), u"11.125");
    EXPECT_EQ(formatFloat000(read(u"2,5e20"), u','), u"2,5E20");
    std::setlocale(LC_ALL, "C");
}

} // namespace
