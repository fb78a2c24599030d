#include "error_guard.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tarvik {

QString applicationTitle(const QString& programFilePath)
{
    QString name = QFileInfo(programFilePath).fileName();
    name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    return name.left(1) + name.mid(1).toLower();
}

void showErrorBox(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(QCoreApplication::applicationFilePath()), text,
                    QMessageBox::Ok, owner);
    box.exec();
}

} // namespace tarvik
