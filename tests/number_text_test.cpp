#include "core/errors.h"
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

using namespace tarvik;

namespace {

struct Accepted {
    std::u16string text;
    long double value;
};

TEST(StrToFloat, AcceptsTheGrammarAndRoundsCorrectly)
{
    const Accepted cases[] = {
        {u"12", 12},
        {u"12,5", 12.5L},
        {u"12,", 12},
        {u",5", 0.5L},
        {u",", 0},
        {u"  -12,5  ", -12.5L},
        {u"+7", 7},
        {u"00012", 12},
        {u"1e3", 1000},
        {u"1E+3", 1000},
        {u"2,5e-3", 2.5e-3L},
        {u"1e", 1},
        {u"1e-", 1},
        {u",e5", 0},
        {u"1e0499", 1e499L},
        {u"1e500", 1e500L},
        {u"0e4999", 0},
        {u"0,1", 0.1L},
        // Beyond 19 digits the exact decimal is still rounded once.
        {u"12345678901234567891", 12345678901234567891.0L},
        {u"0,1000000000000000000000000000001", 0.1000000000000000000000000000001L},
        {u"1e-4999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(strToFloat(c.text, u','), c.value);
    }
}

TEST(StrToFloat, KeepsSubnormalsAndTheSignOfZero)
{
    const long double tiny = strToFloat(u"1e-4940", u',');
    EXPECT_GT(tiny, 0.0L);
    EXPECT_LT(tiny, LDBL_MIN);
    EXPECT_TRUE(std::signbit(strToFloat(u"-0", u',')));
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
    EXPECT_EQ(strToFloat(u"12.5", u'.'), 12.5L);
    EXPECT_THROW(strToFloat(u"12,5", u'.'), CalcError);
    EXPECT_EQ(strToFloat(u"12", u'.'), 12);
}

struct Formatted {
    long double value;
    std::u16string text;
};

TEST(FormatFloat000, RoundsTheThirdDecimalOnTheDecimalForm)
{
    const Formatted cases[] = {
        {0, u"0,000"},
        {-0.0L, u"0,000"},
        {12, u"12,000"},
        {0.89 * 12.5L, u"11,125"},
        {100 / static_cast<long double>(0.89), u"112,360"},
        {12.3456L, u"12,346"},
        // The binary value of 1.0005 lies just below it; its 18-digit form
        // does not, and that form decides.
        {1.0005L, u"1,001"},
        {0.0005L, u"0,001"},
        {-0.0005L, u"-0,001"},
        {0.0015L, u"0,002"},
        {9.9995L, u"10,000"},
        {0.9995L, u"1,000"},
        {-0.0004L, u"0,000"},
        {1e-10L, u"0,000"},
        {-1e-3000L, u"0,000"},
        // Places beyond the 18th significant digit are zeros.
        {1234567890123456.789L, u"1234567890123456,790"},
        {999999999999999999.0L, u"999999999999999999,000"},
        {-123456.5L, u"-123456,500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(formatFloat000(c.value, u','), c.text);
    }
}

TEST(FormatFloat000, WritesTheScientificFormFromTenToTheEighteenth)
{
    const Formatted cases[] = {
        {1e18L, u"1E18"},
        {-1e18L, u"-1E18"},
        {2.5e20L, u"2,5E20"},
        {123456789012345678901234.0L, u"1,23456789012346E23"},
        {999999999999999950000.0L, u"1E21"},
        {1.1e4000L, u"1,1E4000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(formatFloat000(c.value, u','), c.text);
    }
}

TEST(FormatFloat000, WritesTheGivenSeparator)
{
    EXPECT_EQ(formatFloat000(11.125L, u'.'), u"11.125");
    EXPECT_EQ(formatFloat000(2.5e20L, u'.'), u"2.5E20");
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
    EXPECT_EQ(std::strtold("12.5", nullptr), 12.0L) << "the Russian locale is not in effect";
    EXPECT_EQ(strToFloat(u"12,5", u','), 12.5L);
    EXPECT_EQ(strToFloat(u"12.5", u'.'), 12.5L);
    EXPECT_EQ(formatFloat000(11.125L, u'.'), u"11.125");
    EXPECT_EQ(formatFloat000(2.5e20L, u','), u"2,5E20");
    std::setlocale(LC_ALL, "C");
}

} // namespace
