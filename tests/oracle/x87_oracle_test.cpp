// The old x87 path's fields, against values known exactly: the oracle's
// conversion between long double and fields must not hide a difference.

#include "tests/oracle/x87_oracle.h"

#include <gtest/gtest.h>

#include <cstdint>

using tarvik::reference::Extended;

namespace {

constexpr std::uint64_t top = std::uint64_t{1} << 63;
constexpr std::uint64_t allOnes = ~std::uint64_t{0};

TEST(X87Oracle, ReadsAndWritesTheFieldsOfKnownValues)
{
    const struct {
        std::u16string_view text;
        Extended value;
    } cases[] = {
        {u"12,5", {false, 0xC800000000000000u, 16386}},
        {u"-0", {true, 0, 0}},
        {u"1,18973149535723176502e4932", {false, allOnes, 32766}},
        {u"3,36210314311209350626e-4932", {false, top, 1}},
        {u"3,6451995318824746025e-4951", {false, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(tarvik::oracle::parse(c.text, u','), c.value);
    }
    const Extended twelveAndAHalf{false, 0xC800000000000000u, 16386};
    const Extended twentyFive{false, 0xC800000000000000u, 16387};
    EXPECT_EQ(tarvik::oracle::calculate(twelveAndAHalf, 2.0, 0), twentyFive);
    EXPECT_EQ(tarvik::oracle::calculate(twelveAndAHalf, 0.5, 1), twentyFive);
    EXPECT_EQ(tarvik::oracle::calculate({true, top, 1}, 0.5, 0), (Extended{true, top >> 1, 0}));
    EXPECT_FALSE(tarvik::oracle::calculate({false, allOnes, 32766}, 2.0, 0));
    EXPECT_EQ(tarvik::oracle::format000({false, 0xC800000000000000u, 16386}, u','), u"12,500");
    EXPECT_EQ(tarvik::oracle::format000({false, 1, 0}, u','), u"0,000");
}

} // namespace
