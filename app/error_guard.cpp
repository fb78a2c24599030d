#include "error_guard.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace tarvik {

QString applicationTitle(const QString& programFilePath)
{
    QString name = QFileInfo(programFilePath).fileName();
    name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    return name.left(1) + name.mid(1).toLower();
}

namespace {

// The error box, kept within the screen: the message quotes the whole input
// text, and a pasted text of thousands of characters would otherwise make
// the box far taller than the screen, with its OK button out of reach.
class ErrorBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event); // sizes the box to its text
        keepOnScreen();
    }

private:
    void keepOnScreen()
    {
        const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
        if (!where)
            return;
        const QRect area = where->availableGeometry();
        // The window system adds a title bar and a frame around the box.
        constexpr int frameAllowance = 64;
        const int maxHeight = std::max(100, area.height() - frameAllowance);
        if (height() > maxHeight) {
            // Let the layout cut the text short rather than push the
            // buttons below the box's edge.
            for (QLabel* label : findChildren<QLabel*>()) {
                if (label->text() == text()) {
                    label->setMinimumSize(1, 1);
                    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
                }
            }
            setFixedSize(width(), maxHeight);
        }
        const int x = std::clamp(this->x(), area.left(), std::max(area.left(), area.right() + 1 - width()));
        const int y = std::clamp(this->y(), area.top(),
                                 std::max(area.top(), area.bottom() + 1 - frameAllowance - height()));
        move(x, y);
    }
};

} // namespace

void showErrorBox(QWidget* owner, const QString& text)
{
    ErrorBox box(QMessageBox::Critical, applicationTitle(QCoreApplication::applicationFilePath()), text,
                 QMessageBox::Ok, owner);
    // The message quotes what the user pasted: markup in it is text too.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace tarvik
