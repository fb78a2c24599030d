#include "calculator/stored_accordion.h"

#include <gtest/gtest.h>

using namespace tarvik;

namespace {

TEST(StoredAccordionTest, ReportsTheOpenSectionOverTheStoredLayout)
{
    StoredAccordion accordion;
    EXPECT_EQ(accordion.openSection(), 0);
    EXPECT_EQ(accordion.headerClick(6), 6);
    EXPECT_EQ(accordion.sectionHeight(6), 43);
    EXPECT_EQ(accordion.sectionTop(7), 170);
    EXPECT_EQ(accordion.headerClick(1), 1);
    EXPECT_EQ(accordion.sectionHeight(6), 25);
    EXPECT_EQ(accordion.sectionTop(12), 388);
    // The open header clicked again stays open.
    EXPECT_EQ(accordion.headerClick(1), 1);
    EXPECT_EQ(accordion.sectionHeight(1), 141);
}

} // namespace
