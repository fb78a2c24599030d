#include "calculator/accordion.h"
#include "calculator/form_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace tarvik;

namespace {

// The window's components with only what the accordion walks.
class FakeComponents : public ComponentTree {
public:
    FakeComponents()
    {
        for (const auto& c : form::components()) {
            tops.push_back(c.top);
            heights.push_back(c.height);
        }
    }
    int componentCount() const override { return form::componentCount; }
    bool isWindowed(int i) const override { return form::isWindowed(form::components()[i].controlClass); }
    int parentOf(int i) const override { return form::components()[i].parent; }
    int topOf(int i) const override { return tops[static_cast<std::size_t>(i)]; }
    int heightOf(int i) const override { return heights[static_cast<std::size_t>(i)]; }
    void setTop(int i, int top) override { tops[static_cast<std::size_t>(i)] = top; }
    void setHeight(int i, int height) override { heights[static_cast<std::size_t>(i)] = height; }

    std::vector<int> sectionTops() const
    {
        std::vector<int> out;
        for (int k = 1; k <= form::sectionCount; ++k)
            out.push_back(topOf(form::sectionPanel(k)));
        return out;
    }
    std::vector<int> sectionHeights() const
    {
        std::vector<int> out;
        for (int k = 1; k <= form::sectionCount; ++k)
            out.push_back(heightOf(form::sectionPanel(k)));
        return out;
    }

    std::vector<int> tops, heights;
};

struct AccordionTest : ::testing::Test {
    FakeComponents components;
    Accordion accordion;
    void click(int section) { accordion.sButton1Click(components, form::headerButton(section)); }

    // Gapless with the one-pixel overlap, and only `open` taller than 25.
    void expectStack(int open)
    {
        const auto tops = components.sectionTops();
        const auto heights = components.sectionHeights();
        EXPECT_EQ(tops[0], 8);
        for (std::size_t k = 0; k + 1 < tops.size(); ++k)
            EXPECT_EQ(tops[k + 1], tops[k] + heights[k] - 1) << "section " << k + 1;
        for (int k = 1; k <= form::sectionCount; ++k) {
            const int list = components.heightOf(form::kindsList(k));
            EXPECT_EQ(heights[static_cast<std::size_t>(k - 1)], k == open ? 25 + list : 25);
        }
        EXPECT_EQ(accordion.expandedSectionIndex(), form::sectionPanel(open));
    }
};

TEST_F(AccordionTest, WorkedExample)
{
    EXPECT_EQ(accordion.expandedSectionIndex(), -1);
    click(6);
    EXPECT_EQ(components.sectionTops(),
              (std::vector<int>{8, 32, 56, 80, 104, 128, 170, 194, 218, 242, 266, 290}));
    EXPECT_EQ(components.heightOf(form::sectionPanel(6)), 43);
    click(1);
    EXPECT_EQ(components.sectionTops(),
              (std::vector<int>{8, 148, 172, 196, 220, 244, 268, 292, 316, 340, 364, 388}));
    EXPECT_EQ(components.heightOf(form::sectionPanel(1)), 141);
    expectStack(1);
    // The tallest layout still fits the column.
    EXPECT_LE(388 + 25, 418);
}

TEST_F(AccordionTest, AnySwitchEqualsOpeningFromTheStart)
{
    for (int from = 1; from <= form::sectionCount; ++from) {
        for (int to = 1; to <= form::sectionCount; ++to) {
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
            FakeComponents fresh;
            Accordion().sButton1Click(fresh, form::headerButton(to));
            const auto expectedTops = fresh.sectionTops();

            components = FakeComponents();
            accordion = Accordion();
            click(from);
            click(to);
            EXPECT_EQ(components.sectionTops(), expectedTops);
            expectStack(to);
        }
    }
}

TEST_F(AccordionTest, LeavesEverythingButSectionPanelsAlone)
{
    const FakeComponents before;
    click(3);
    click(9);
    for (int i = 0; i < form::componentCount; ++i) {
        if (form::components()[i].controlClass == form::ControlClass::PlainPanel)
            continue;
        EXPECT_EQ(components.topOf(i), before.topOf(i)) << form::components()[i].name;
        EXPECT_EQ(components.heightOf(i), before.heightOf(i)) << form::components()[i].name;
    }
}

TEST_F(AccordionTest, SenderOutsideASectionIsRefused)
{
    EXPECT_THROW(accordion.sButton1Click(components, form::sSkinManager1), std::invalid_argument);
}

} // namespace
