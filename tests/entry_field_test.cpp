#include "core/calculator.h"
#include "core/errors.h"
#include "fake_window.h"

#include <gtest/gtest.h>

#include <string>

using namespace tarvik;
using tarvik::testing::FakeWindow;

namespace {

struct KeyCase {
    std::u16string text;
    int caret;
    char16_t key;
    char16_t reaches; // 0: dropped
};

void checkKeys(char16_t separator, std::initializer_list<KeyCase> cases)
{
    FakeWindow window;
    Calculator calc(window, separator);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()) + " caret " + std::to_string(c.caret) +
                     " key " + std::to_string(c.key));
        window.input = c.text;
        window.caret = c.caret;
        EXPECT_EQ(calc.sEditParamKeyPress(c.key), c.reaches);
    }
}

TEST(KeyRules, UnderTheCommaSeparator)
{
    checkKeys(u',', {
                        {u"", 0, u',', 0},
                        {u"", 0, u'.', 0},
                        {u"12", 0, u',', 0},    // caret at the start
                        {u"12", 2, u'.', u','}, // "." arrives as ","
                        {u"12", 1, u',', u','},
                        {u"12,", 3, u',', 0}, // one separator only
                        {u"12,", 3, u'.', 0},
                        {u"12.5", 4, u',', u','},     // a pasted "." is no separator
                        {u"1,234567", 8, u'8', 0},    // six after the separator
                        {u"1,23456", 7, u'7', u'7'},  // five: the sixth is accepted
                        {u"1,234567", 2, u'8', 0},    // caret just after the separator
                        {u"1,234567", 1, u'8', u'8'}, // before it: never limited
                        {u"1,234567", 0, u'9', u'9'},
                        {u"12", 2, 8, 8}, // backspace
                        {u"", 0, 8, 8},
                        {u"12", 2, u'a', 0},
                        {u"12", 2, u' ', 0},
                        {u"12", 2, u'-', 0},
                        {u"12", 2, u'+', 0},
                        {u"12", 2, 0x16, 0}, // Ctrl+V as a typed character
                        {u"12", 2, u'\r', 0},
                        {u"12", 2, 0x1b, 0},
                        {u"12", 2, u'٣', 0}, // a non-ASCII digit
                    });
}

TEST(KeyRules, UnderTheFullStopSeparatorBothKeysTypeIt)
{
    checkKeys(u'.', {
                        {u"12", 2, u',', u'.'},
                        {u"12", 2, u'.', u'.'},
                        {u"12.", 3, u',', 0},
                        {u"12,5", 4, u'.', u'.'}, // only the active separator counts
                        {u"1.234567", 8, u'1', 0},
                    });
}

TEST(ClickAndLeaveRules, EmptyAZeroAndRestoreIt)
{
    FakeWindow window;
    Calculator calc(window, u',');
    const std::pair<std::u16string, std::u16string> clicks[] = {
        {u"0", u""}, {u"0,0", u""}, {u"00", u""}, {u",", u""}, {u"", u""}, {u"5", u"5"}, {u"0,01", u"0,01"},
    };
    for (const auto& [before, after] : clicks) {
        window.input = before;
        calc.sEditParamClick();
        EXPECT_EQ(window.input, after) << std::string(before.begin(), before.end());
    }

    window.input = u"";
    calc.sEditParamExit();
    EXPECT_EQ(window.input, u"0");
    window.input = u",";
    calc.sEditParamExit();
    EXPECT_EQ(window.input, u",");
}

TEST(ClickAndLeaveRules, ClickOnAnUnconvertibleTextReportsAndKeepsIt)
{
    FakeWindow window;
    Calculator calc(window, u',');
    window.input = u"abc";
    EXPECT_THROW(calc.sEditParamClick(), CalcError);
    EXPECT_EQ(window.input, u"abc");
}

} // namespace
