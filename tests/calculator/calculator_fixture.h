#pragma once

// The calculator over the recording fake window, with a kind choice as the
// user makes it: the kinds list's selection set, then its handler run.

#include "calculator/calculator.h"
#include "fake_window.h"

#include <gtest/gtest.h>

namespace tarvik::testing {

struct CalculatorFixture : ::testing::Test {
    FakeWindow window;
    Calculator calc{window, u','};

    void choose(int section, int kind)
    {
        window.kinds[static_cast<std::size_t>(section - 1)] = kind;
        calc.sListBoxClick(section);
    }
};

} // namespace tarvik::testing
