#pragma once

class QApplication;

namespace tarvik {

// The built-in look, the same on every desktop: Fusion with a fixed light
// palette, so the window stays black on white in a dark desktop session.
void applySkin(QApplication& app);

} // namespace tarvik
