#include "catalogue/family.h"

#include <gtest/gtest.h>

using namespace tarvik::catalogue;

TEST(Catalogue, EveryTableHasOneUnitMassPerSizeText)
{
    for (const Family* family : families) {
        for (const KindTable& table : family->tables) {
            ASSERT_EQ(table.sizes.size(), table.unitMasses.size());
            for (double m : table.unitMasses)
                EXPECT_GT(m, 0.0);
        }
    }
}
