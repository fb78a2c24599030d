#include "calculator/calculator.h"
#include "fake_window.h"
#include "number/errors.h"
#include "tests/utf8.h"

#include <gtest/gtest.h>

#include <string>

using namespace tarvik;
using tarvik::testing::FakeWindow;
using tarvik::testing::utf8;

namespace {

struct KeyCase {
    std::u16string text;
    int caret;
    char16_t key;
    char16_t reaches; // 0: dropped
};

// Dropped printable keys say why; control keys drop silently.
bool explained(char16_t key)
{
    return key >= 0x20 && key != 0x7F;
}

void checkKeys(char16_t separator, std::initializer_list<KeyCase> cases)
{
    FakeWindow window;
    Calculator calc(window, separator);
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text) + " caret " + std::to_string(c.caret) + " key " + std::to_string(c.key));
        window.input = c.text;
        window.caret = c.caret;
        window.inputHint.clear();
        const KeyVerdict verdict = calc.sEditParamKeyPress(c.key);
        EXPECT_EQ(verdict.inserted, c.reaches ? std::u16string(1, c.reaches) : std::u16string());
        EXPECT_EQ(window.inputHint, verdict.reason);
        EXPECT_EQ(!verdict.reason.empty(), c.reaches == 0 && explained(c.key));
    }
}

TEST(KeyRules, UnderTheCommaSeparator)
{
    checkKeys(u',', {
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

TEST(KeyRules, ASeparatorFirstGivesZeroAndTheSeparator)
{
    FakeWindow window;
    for (char16_t separator : {u',', u'.'}) {
        Calculator calc(window, separator);
        const std::u16string zero{u'0', separator};
        const struct {
            std::u16string text;
            int selectionStart, selectionEnd;
            char16_t key;
            std::u16string inserted;
        } cases[] = {
            {u"", 0, 0, u',', zero},     {u"", 0, 0, u'.', zero},
            {u"12,5", 0, 4, u',', zero}, // the whole text selected
            {u"12", 0, 1, u',', u""},    // a part of it is not
            {u"1,5", 0, 3, u'7', u"7"},  // a digit over the whole text
        };
        for (const auto& c : cases) {
            window.input = c.text;
            window.caret = c.selectionStart;
            window.selectionEnd = c.selectionEnd;
            EXPECT_EQ(utf8(calc.sEditParamKeyPress(c.key).inserted), utf8(c.inserted)) << utf8(c.text);
        }
    }
}

TEST(KeyRules, ARefusedKeySaysWhyNamingTheSeparator)
{
    FakeWindow window;
    const struct {
        char16_t separator;
        std::u16string text;
        int caret;
        char16_t key;
        std::u16string reason;
    } cases[] = {
        {u',', u"1,5", 3, u',', u"В числе уже есть запятая"},
        {u'.', u"1.5", 3, u',', u"В числе уже есть точка"},
        {u',', u"15", 2, u'-', u"Только цифры и запятая"},
        {u'.', u"15", 2, u' ', u"Только цифры и точка"},
        {u',', u"0,123456", 8, u'7', u"Не больше шести знаков после запятой"},
        {u'.', u"0.123456", 8, u'7', u"Не больше шести знаков после точки"},
        {u',', u"15", 0, u',', u"Перед запятой нужна цифра"},
        {u'٫', u"1٫5", 3, u'٫', u"В числе уже есть разделитель"},
    };
    for (const auto& c : cases) {
        Calculator calc(window, c.separator);
        window.input = c.text;
        window.caret = c.caret;
        window.selectionEnd = -1;
        EXPECT_EQ(utf8(calc.sEditParamKeyPress(c.key).reason), utf8(c.reason)) << utf8(c.text);
    }
}

TEST(PastedText, DropsTheWhiteSpaceASpreadsheetAndGroupedDigitsBringAlong)
{
    const struct {
        std::u16string pasted, reaches;
    } cases[] = {
        {u"12,5\r\n", u"12,5"},    {u"\t 12,5 \n", u"12,5"},
        {u"1 250,50", u"1250,50"}, {u"1\u00A0250\u00A0000,5", u"1250000,5"},
        {u"1\u202F250", u"1250"},  {u"12 кг", u"12 кг"}, // not between digits: left to the conversion
        {u"1, 5", u"1, 5"},        {u"\u00A0", u""},
        {u"abc", u"abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8(pastedNumberText(c.pasted)), utf8(c.reaches)) << utf8(c.pasted);
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
