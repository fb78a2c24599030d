// The error box's text and title, as every face shows them.
#include "number/errors.h"
#include "tests/utf8.h"
#include "text/error_box.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace tarvik;
using tarvik::testing::utf8;

namespace {

template <class Thrown> std::u16string textOf(Thrown thrown)
{
    try {
        throw thrown;
    } catch (...) {
        return errorBoxTextOfCurrentException();
    }
}

TEST(ErrorText, EveryFailureReadsAsAFullSentence)
{
    EXPECT_EQ(utf8(textOf(notAFloat(u"12,5x"))), "'12,5x' is not a valid floating point value.");
    EXPECT_EQ(utf8(textOf(floatingPointOverflow())), "Floating point overflow.");
    EXPECT_EQ(utf8(textOf(std::runtime_error("нет памяти"))), "нет памяти.");
    EXPECT_EQ(utf8(textOf(std::runtime_error("bad \xff byte"))), "bad \xEF\xBF\xBD byte.");
    EXPECT_EQ(utf8(textOf(42)), "Unknown error.");
}

TEST(ErrorText, Utf8ReadsWhatItCanAndReplacesWhatItCannot)
{
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"abc", u"abc"},
        {"\xD0\x91", u"Б"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"}, // outside the BMP: a surrogate pair
        {"\xC0\x80", u"\uFFFD"},             // overlong
        {"\xED\xA0\x80", u"\uFFFD"},         // an encoded surrogate
        {"\xE2\x82", u"\uFFFD"},             // cut short at the end
        {"\xE2\x82x", u"\uFFFDx"},           // cut short before another character
        {"\x80\xBF", u"\uFFFD\uFFFD"},       // stray continuation bytes
        {"\xF4\x90\x80\x80", u"\uFFFD"},     // beyond U+10FFFF
    };
    for (const auto& c : cases)
        EXPECT_EQ(fromUtf8(c.bytes), c.text) << c.bytes;
}

// Names come from the user: anything Unicode holds, and whatever half
// pairs a paste leaves, must write as valid UTF-8 and read back as one text.
TEST(Utf8, WritesEveryCharacterAndALoneSurrogateAsTheReplacement)
{
    const struct {
        std::u16string text;
        std::string bytes;
        std::u16string back; // what reads back: the text with lone surrogates replaced
    } cases[] = {
        {u"a", "a", u"a"},
        {u"\u07FF\u0800\uFFFF", "\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", u"\u07FF\u0800\uFFFF"},
        {u"\U0001F697 x", "\xF0\x9F\x9A\x97 x", u"\U0001F697 x"},
        {u"\U0001F699 x", "\xF0\x9F\x9A\x99 x", u"\U0001F699 x"},
        {u"\U00010000\U0010FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u"\U00010000\U0010FFFF"},
        {u"a\xD83D", "a\xEF\xBF\xBD", u"a\uFFFD"}, // a high half at the end
        {u"\xDE97"
         u"a",
         "\xEF\xBF\xBD"
         "a",
         u"\uFFFD"
         u"a"},                                                         // a low half alone
        {u"\xDE97\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD", u"\uFFFD\uFFFD"}, // the halves the wrong way round
        {u"\xD83D\xD83D\xDE97", "\xEF\xBF\xBD\xF0\x9F\x9A\x97", u"\uFFFD\U0001F697"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tarvik::utf8(c.text), c.bytes) << c.bytes;
        EXPECT_EQ(wellFormed(c.text), c.back) << c.bytes;
        EXPECT_EQ(fromUtf8(tarvik::utf8(c.text)), c.back) << c.bytes;
    }
}

TEST(ErrorText, TitleIsTheProgramNameUpToItsFirstFullStop)
{
    const struct {
        std::u16string file, title;
    } cases[] = {
        {u"tarvik", u"tarvik"},
        {u"TARVIK.EXE", u"Tarvik"},
        {u"ТАРВИК.tar.gz", u"Тарвик"},
        {u".hidden", u""},
        {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8(errorBoxTitle(c.file)), utf8(c.title));
    EXPECT_EQ(utf8(errorBoxTitle(pageProgramName)), "tarvik");
}

} // namespace
