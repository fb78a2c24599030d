#pragma once

class QApplication;

namespace tarvik {

// Everything the program sets up before its window: fonts, the skin, the
// icon and the desktop entry it belongs to.
void prepareApplication(QApplication& app);

} // namespace tarvik
