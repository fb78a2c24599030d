#pragma once

// What every face's guard shows in its error box: the same text for the same
// failure, whichever face caught it.

#include <string>
#include <string_view>

namespace tarvik {

// The error box's text for the exception being handled; call it only inside
// a catch block. Every face's guard reports failures through it, so a
// failure reads the same in each.
std::u16string errorBoxTextOfCurrentException();

// The title of error boxes: the program file's name up to its first full
// stop, every letter after the first in lower case ("tarvik").
std::u16string errorBoxTitle(std::u16string_view programFileName);

// The program file's name where there is no program file: the web page.
inline constexpr std::u16string_view pageProgramName = u"tarvik";

} // namespace tarvik
