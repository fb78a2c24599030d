#pragma once

class QApplication;
class QWidget;

namespace tarvik {

// The built-in look, the same on every desktop: Fusion with a fixed light
// palette (the window stays black on white in a dark desktop session) and a
// few flat touches of its own. Colours, borders and backgrounds only: no
// font, padding, margin or size changes.
void applySkin(QApplication& app);

// Marks the header button of the open section; the skin draws it in the
// accent colour.
void markOpenHeader(QWidget* header, bool open);

} // namespace tarvik
