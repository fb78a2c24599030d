#pragma once

// The user's answer to whatever pops up: error boxes are read and closed
// with their OK button, menus are answered with the entry asked for.

#include "session.h"

#include <QMessageBox>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class QMenu;

namespace tarvik::users {

// The error box a user saw.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    Qt::TextFormat format = Qt::AutoText;
    bool okReachable = false;
    QString geometry;
};

// Closes every error box as a user would (with its OK button) and answers
// the field's context menu, recording what it saw.
class ModalHandler : public QObject {
public:
    std::vector<BoxSeen> boxes;
    int totalBoxes = 0;
    std::optional<ContextCommand> menuCommand;
    QString menuEntry; // chosen from a menu other than the field's
    bool menuHandled = false;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void record(QMessageBox* box);
    void answer(QMenu* menu);
};

} // namespace tarvik::users
