// Which item a drop-down list's text selects, and which item completes a typed
// text: the rule every face of the calculator shares.

#include "calculator/size_text.h"
#include "catalogue/family.h"
#include "fake_window.h"
#include "tests/utf8.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tarvik;
using tarvik::testing::FakeWindow;
using tarvik::testing::utf8;

namespace {

TEST(SizeText, ShownTextSelectsAWholeItemAndTypedTextCompletesToTheFirstItemBeginningWithItFolded)
{
    FakeWindow window;
    window.list(DropDown::Element).items = {u"10",  u"40",     u"4",         u"20 Б1", u"35К1",
                                            u"Ёрш", u"89x3.5", u"20x20x1.5", u"20х20", u"35к1"};
    const struct {
        std::u16string text;
        int showing;    // itemShowingText
        int completing; // itemCompletingText
    } cases[] = {
        {u"40", 1, 1},        {u"4", 2, 1},      // "40" comes first, but only "4" is the whole text
        {u"1", -1, 0},        {u"20 б1", 3, 3},  // Cyrillic, letter case aside
        {u"35К1", 4, 4},                         // the first of two that fold equal
        {u"ёРШ", 5, 5},       {u"89X3.5", 6, 6}, // Latin, letter case aside
        {u"89х3,5", 6, 6},                       // the Cyrillic "х" and the comma as people type them
        {u"20X20X1.5", 7, 7}, {u"20х20", 8, 7},  // Latin "x" and Cyrillic "х" read alike
        {u"20x20", 8, 7},     {u"20*20", 8, 7},  // and so do "*" ...
        {u"20×20", 8, 7},                        // ... and "×"
        {u"20Б1", 3, 3},      {u" 4", 2, 1},     // spaces do not count
        {u"4 ", 2, 1},        {u"20 Б", -1, 3},  // a prefix only
        {u"400", -1, -1},     {u"", -1, -1},
        {u"  ", -1, -1}, // an erased text selects and completes nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        EXPECT_EQ(itemShowingText(window, DropDown::Element, c.text), c.showing);
        EXPECT_EQ(itemCompletingText(window, DropDown::Element, c.text), c.completing);
    }
    EXPECT_EQ(itemShowingText(window, DropDown::E1, u""), -1) << "an empty list";
}

TEST(SizeText, AnEditShowsTheCompletedItemInItsOwnLettersOnlyWhenTyped)
{
    FakeWindow window;
    window.list(DropDown::Element).items = {u"10", u"40", u"4", u"30 Б1", u"30 Б2"};
    const struct {
        std::u16string text;
        SizeTextChange change;
        std::u16string shown;
        int completedFrom, item;
    } cases[] = {
        {u"1", SizeTextChange::Typed, u"10", 1, 0},        {u"30 б", SizeTextChange::Typed, u"30 Б1", 4, 3},
        {u"30Б", SizeTextChange::Typed, u"30 Б1", 4, 3},   // the completed part begins past the letter
        {u"30 б2", SizeTextChange::Typed, u"30 Б2", 5, 4}, // the whole text completes to itself
        {u"1", SizeTextChange::Deleted, u"1", -1, -1},     // a deletion never puts text back
        {u"1", SizeTextChange::Whole, u"1", -1, -1},       // a pasted text means what it says
        {u"4", SizeTextChange::Whole, u"4", -1, 2},        {u"7", SizeTextChange::Typed, u"7", -1, -1},
        {u"", SizeTextChange::Typed, u"", -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text) + " change " + std::to_string(static_cast<int>(c.change)));
        const SizeTextEdit edit = editSizeText(window, DropDown::Element, c.text, c.change);
        EXPECT_EQ(utf8(edit.shown), utf8(c.shown));
        EXPECT_EQ(edit.completedFrom, c.completedFrom);
        EXPECT_EQ(edit.item, c.item);
    }
}

} // namespace

TEST(SizeText, FoldingKeepsEveryListsSizesApart)
{
    // The folding must never make two sizes of one list the same size.
    for (const catalogue::Family* family : catalogue::families) {
        for (const catalogue::KindTable& table : family->tables) {
            for (const auto* texts : {&table.sizes, &table.firstLevel}) {
                std::set<std::u16string> seen;
                for (std::u16string_view text : *texts)
                    EXPECT_TRUE(seen.insert(foldedSizeText(text)).second)
                        << utf8(family->header) << ": " << utf8(text);
            }
        }
    }
}
