// The production conversions and calculation against the reference, over
// fixed generated tables. The fuzz targets run the same comparisons on
// inputs of their own.

#include "tests/reference/cases.h"
#include "tests/reference/differential.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tarvik;

namespace {

// Enough reports to see a pattern, not thousands of lines.
class Differences {
public:
    void add(const std::optional<std::string>& difference)
    {
        if (!difference)
            return;
        if (++count_ <= 20)
            ADD_FAILURE() << *difference;
    }
    ~Differences()
    {
        if (count_ > 20)
            ADD_FAILURE() << count_ << " differences in all";
    }

private:
    int count_ = 0;
};

// Under "." the same texts, with "," and "." swapped, must behave alike;
// texts left with a "," must be refused.
std::u16string swapSeparators(std::u16string text)
{
    for (char16_t& c : text) {
        if (c == u',')
            c = u'.';
        else if (c == u'.')
            c = u',';
    }
    return text;
}

TEST(Differential, TextToNumber)
{
    const auto texts = cases::parseTexts();
    ASSERT_GT(texts.size(), 1000u);
    Differences differences;
    for (const auto& text : texts) {
        differences.add(differential::compareParse(text, u','));
        differences.add(differential::compareParse(swapSeparators(text), u'.'));
    }
}

TEST(Differential, NumberToText)
{
    const auto values = cases::formatValues();
    ASSERT_GT(values.size(), 1000u);
    Differences differences;
    for (const auto& value : values) {
        ASSERT_TRUE(reference::isCanonicalFinite(value)) << differential::describe(value);
        differences.add(differential::compareFormat(value, u','));
    }
    differences.add(differential::compareFormat(values.back(), u'.'));
}

// Every text that the conversion accepts also formats alike, so the parse
// table doubles as a table of values with short decimal forms.
TEST(Differential, NumberToTextOfParsedValues)
{
    Differences differences;
    for (const auto& text : cases::parseTexts()) {
        const reference::Parsed p = reference::parse(text, u',');
        if (p.status == reference::Parsed::Ok)
            differences.add(differential::compareFormat(p.value, u','));
    }
}

TEST(Differential, CalculationOverTheWholeCatalogue)
{
    differential::CatalogueRun run;
    Differences differences;
    for (const auto& input : cases::calculationInputs())
        differences.add(run.compare(input, u','));
    differences.add(run.compare(u"12.5", u'.'));
    differences.add(run.compare(u"12,5", u'.'));
}

} // namespace
