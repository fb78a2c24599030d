#pragma once

// How a drop-down list's shown text relates to its items. Every face of the
// calculator decides the selected size with these, so what the box shows is
// always the size that is used.

#include "window.h"

#include <string>
#include <string_view>

namespace tarvik {

// Compares letter case aside, for the Latin and Cyrillic letters that size
// texts are written in.
bool equalIgnoringCase(std::u16string_view a, std::u16string_view b);
bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

// The item that a shown text selects: the first whose whole text equals it,
// letter case aside; −1 when there is none.
int itemShowingText(const Window& window, DropDown list, std::u16string_view shown);

// The item that completes a typed text: the first that begins with it,
// letter case aside; −1 for an empty text or when none begins with it.
int itemCompletingText(const Window& window, DropDown list, std::u16string_view typed);

// How the user changed a drop-down list's text.
enum class SizeTextChange {
    Typed,   // characters typed, or committed by an input method
    Whole,   // a whole text put in at once (pasted, dropped, picked): it means what it says
    Deleted, // a deletion: completing would put back what was deleted
};

// What a drop-down list shows after the user changed its text, and the item
// it selects. Typed characters complete to the first item that begins with
// the text; the completed part, from `completedFrom` on, is selected so that
// the next character replaces it.
struct SizeTextEdit {
    std::u16string shown;
    int completedFrom = -1; // −1: nothing completed
    int item = -1;
};
SizeTextEdit editSizeText(const Window& window, DropDown list, std::u16string_view text,
                          SizeTextChange change);

} // namespace tarvik
