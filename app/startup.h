#pragma once

class QApplication;

namespace tarvik {

// Everything the program sets up before its window: Qt's own texts in the
// user's language, fonts, the skin, the icon and the desktop entry it
// belongs to.
void prepareApplication(QApplication& app);

} // namespace tarvik
