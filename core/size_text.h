#pragma once

// How a drop-down list's shown text relates to its items. Every face of the
// calculator decides the selected size with these, so what the box shows is
// always the size that is used.

#include "window.h"

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

} // namespace tarvik
