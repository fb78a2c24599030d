#pragma once

// How a drop-down list's shown text relates to its items. Every face of the
// calculator decides the selected size with these, so what the box shows is
// always the size that is used.

#include "calculator/window.h"

#include <string>
#include <string_view>

namespace tarvik {

// A size text as people type it, folded so that the ways of writing one size
// compare equal: "," reads as "."; Latin letters that look like Cyrillic
// ones (A B C E H K M O P T X Y, either case) as those; "×" and "*" as the
// Cyrillic "х"; letter case and spaces do not count. The catalogue's own
// texts mix these ("89x3.5", "40х4", "0,8"); no two items of a list fold
// equal.
std::u16string foldedSizeText(std::u16string_view text);

// The item that a shown text selects: the first whose text folds equal to
// it; −1 when there is none.
int itemShowingText(const Window& window, DropDown list, std::u16string_view shown);

// The item that completes a typed text: the first that begins with it,
// folded; −1 for an empty text or when none begins with it.
int itemCompletingText(const Window& window, DropDown list, std::u16string_view typed);

// The item's own text where the shown text selects one, otherwise the shown
// text: what the box shows once the user leaves it.
std::u16string shownSizeText(const Window& window, DropDown list, std::u16string_view shown);

// How the user changed a drop-down list's text.
enum class SizeTextChange {
    Typed,   // characters typed, or committed by an input method
    Whole,   // a whole text put in at once (pasted, dropped, picked): it means what it says
    Deleted, // a deletion: completing would put back what was deleted
};

// What a drop-down list shows after the user changed its text, and the item
// it selects. Typed characters complete to the first item that begins with
// the text, shown in the item's own letters; the part beyond what the typed
// text matched, from `completedFrom` on, is selected so that the next
// character replaces it ("30Б" shows "30 Б1" with "1" selected).
struct SizeTextEdit {
    std::u16string shown;
    int completedFrom = -1; // −1: nothing completed
    int item = -1;
};
SizeTextEdit editSizeText(const Window& window, DropDown list, std::u16string_view text,
                          SizeTextChange change);

} // namespace tarvik
