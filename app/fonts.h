#pragma once

#include <QFont>

namespace tarvik::fonts {

// The window's two faces. Both map to Liberation Sans, so that the layout
// never depends on the machine's default font.
void installSubstitutions();
QFont msSansSerif(int pixelSize, bool bold = false);
QFont arial(int pixelSize);

} // namespace tarvik::fonts
