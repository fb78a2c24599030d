#pragma once

class QCoreApplication;
class QLocale;

namespace tarvik {

// Makes Qt's own texts (the input field's context menu, dialog buttons)
// speak the user's language, from Qt's translations as installed. Only Qt's
// base module is loaded: the window uses no other Qt module's texts. Answers
// whether a translation was found.
bool installQtTranslations(QCoreApplication& app, const QLocale& locale);

} // namespace tarvik
