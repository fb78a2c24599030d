#pragma once

// What the files of the random-users session share: the field's limits, the
// decimal separator the session runs with, and the texts of failure reports.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QThread>

#include <string>
#include <string_view>

namespace tarvik::users {

constexpr int maxInputLength = 32767; // the field's maxLength
constexpr char16_t separator = u',';

inline QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Quoted, with every non-ASCII or control character escaped and long texts
// abbreviated.
std::string escaped(const QString& text, int limit = 80);
const char* dropDownName(int which);
const char* commandName(int command);

// The entry of fieldKeys() with this name.
int fieldKey(const char* name);

// QTest's waits sleep 10 ms before they first look; activation on this
// platform takes a pass of the event loop, so spin instead.
template <class Predicate> bool spinUntil(Predicate done, int timeoutMs = 2000)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QCoreApplication::processEvents();
        if (done())
            return true;
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::usleep(200);
    }
}

} // namespace tarvik::users
