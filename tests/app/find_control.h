#pragma once

// Widget tests find the window's controls by their objectName; a missing one
// ends the run at once, naming it.

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace tarvik::testing {

template <class T> T* findControl(const QObject* root, const QString& name)
{
    auto* w = root->findChild<T*>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

} // namespace tarvik::testing
