// What the simulated user does with the pointer and the keyboard, and the
// model's share of it that only the action itself can tell.

#include "session_impl.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QWheelEvent>
#include <QtTest>

namespace tarvik::users {

Outcome Session::Impl::perform(const Action& a, Turn& turn)
{
    switch (a.kind) {
    case ActionKind::HeaderClick:
        return clickHeader(a, turn);
    case ActionKind::KindClick:
        return clickKind(a, turn);
    case ActionKind::ModeClick:
        return clickMode(a);
    case ActionKind::CalcClick:
        return clickCalc(turn);
    case ActionKind::FieldClick:
        return clickField(a, turn);
    case ActionKind::FieldKey:
    case ActionKind::FocusKey:
        return pressKey(a, turn);
    case ActionKind::FieldType:
        return typeIntoField(a);
    case ActionKind::ContextMenu:
        return useContextMenu(a, turn);
    case ActionKind::PickerPopup:
        return pickFromPopup(a);
    case ActionKind::PickerType:
        return typeIntoPicker(a, turn);
    case ActionKind::PickerWheel:
        return turnWheel(a);
    case ActionKind::SwitchAway:
        return switchAway();
    case ActionKind::ResultMenu:
        return useResultMenu(a);
    case ActionKind::ClickNowhere:
        return clickNowhere(a);
    }
    return Outcome::Done;
}

Outcome Session::Impl::clickHeader(const Action& a, Turn& turn)
{
    QTest::mouseClick(headers[static_cast<std::size_t>(a.a - 1)], Qt::LeftButton);
    turn.headerPressed = a.a;
    return Outcome::Done;
}

Outcome Session::Impl::clickKind(const Action& a, Turn& turn)
{
    if (m.openSection != a.a)
        return Outcome::NotPossible; // the list is out of sight: no user can click it
    KindsList* list = lists[static_cast<std::size_t>(a.a - 1)];
    const QRect row = list->visualRect(list->model()->index(a.b, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, a.c ? Qt::ControlModifier : Qt::NoModifier,
                      row.center());
    turn.clickedKind = a.a;
    return Outcome::Done;
}

Outcome Session::Impl::clickMode(const Action& a)
{
    if (!m.widened)
        return Outcome::NotPossible;
    QTest::mouseClick(modes[static_cast<std::size_t>(a.a)], Qt::LeftButton, {}, QPoint(8, 12));
    return Outcome::Done;
}

Outcome Session::Impl::clickCalc(Turn& turn)
{
    if (!m.widened)
        return Outcome::NotPossible;
    QTest::mouseClick(calc, Qt::LeftButton);
    turn.calcPressed = true;
    return Outcome::Done;
}

Outcome Session::Impl::clickField(const Action& a, Turn& turn)
{
    if (!m.widened)
        return Outcome::NotPossible;
    const int y = edit->height() / 2;
    if (a.a == a.b) {
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(a.a, y));
    } else {
        QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(a.a, y));
        QTest::mouseMove(edit, QPoint(a.b, y));
        QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(a.b, y));
    }
    m.clickRule(turn.expectedBoxes);
    return Outcome::Done;
}

Outcome Session::Impl::pressKey(const Action& a, Turn& turn)
{
    const KeyPress& key = a.kind == ActionKind::FieldKey ? fieldKeys()[static_cast<std::size_t>(a.a)]
                                                         : focusKeys()[static_cast<std::size_t>(a.a)];
    QWidget* target = focused();
    if (!target || (a.kind == ActionKind::FieldKey && target != edit))
        return Outcome::NotPossible;
    turn.keyTarget = target;
    // Space presses a focused button, and so do Return and Enter.
    const bool presses = key.key == Qt::Key_Space || key.key == Qt::Key_Return || key.key == Qt::Key_Enter;
    if (target == calc && presses && !(key.modifiers & Qt::ControlModifier))
        turn.calcPressed = true;
    for (int k = 1; k <= 12; ++k) {
        if (target == headers[static_cast<std::size_t>(k - 1)] && presses &&
            !(key.modifiers & Qt::ControlModifier))
            turn.headerPressed = k;
    }
    const bool copies = key.key == Qt::Key_C && key.modifiers == Qt::ControlModifier;
    if (copies)
        QGuiApplication::clipboard()->setText(clipboardBefore);
    sendKey(target, key);
    if (copies && !checkCopy(target))
        return Outcome::Broken;
    if (const bool arrow = key.key == Qt::Key_Up || key.key == Qt::Key_Down; arrow) {
        for (std::size_t i = 0; i < 12; ++i) {
            if (target == lists[i] && turn.kindsBefore[i] == -1 && lists[i]->itemIndex() != 0)
                return broken(std::string("the first arrow key in kinds list ") + std::to_string(i + 1) +
                              " selected " + std::to_string(lists[i]->itemIndex()));
        }
    }
    if (target == edit) {
        const FieldState& before = turn.field;
        const QString after = edit->text();
        switch (key.effect) {
        case KeyPress::Character:
            m.input = Model::afterTypedCharacter(before, key.text);
            break;
        case KeyPress::Backspace:
        case KeyPress::Delete:
            if (!Model::deletionFits(before, after, key.effect == KeyPress::Delete))
                return broken(std::string(key.name) + " turned " + escaped(before.text) + " into " +
                              escaped(after));
            m.input = after;
            break;
        case KeyPress::Nothing:
        case KeyPress::Leave:
            break;
        }
    }
    return Outcome::Done;
}

Outcome Session::Impl::typeIntoField(const Action& a)
{
    if (focused() != edit)
        return Outcome::NotPossible;
    for (QChar ch : a.text) {
        const FieldState now = fieldState();
        const KeyPress key{ch.toUpper().unicode(), 0, QString(ch), KeyPress::Character, "typed"};
        sendKey(edit, key);
        m.input = Model::afterTypedCharacter(now, key.text);
        if (edit->text() != m.input)
            return broken("typing " + escaped(QString(ch)) + " turned " + escaped(now.text) + " into " +
                          escaped(edit->text()) + " instead of " + escaped(m.input));
    }
    return Outcome::Done;
}

Outcome Session::Impl::useContextMenu(const Action& a, const Turn& turn)
{
    if (!m.widened)
        return Outcome::NotPossible;
    contextMenu(a);
    m.contextCommand(a, turn.field);
    return Outcome::Done;
}

Outcome Session::Impl::pickFromPopup(const Action& a)
{
    DropDownList* box = combo(a.a);
    if (!m.widened || box->isHidden() || !box->isEnabled() || a.b >= box->count())
        return Outcome::NotPossible;
    QTest::mousePress(box, Qt::LeftButton, {}, comboArrow(box));
    QAbstractItemView* view = box->view();
    if (!view->isVisible())
        return broken(std::string("the list of ") + dropDownName(a.a) + " did not open");
    view->setCurrentIndex(view->model()->index(a.b, 0)); // the pointer hovers the item
    QTest::keyClick(view, Qt::Key_Return);
    if (view->isVisible()) {
        box->hidePopup();
        return broken(std::string("the list of ") + dropDownName(a.a) + " stayed open");
    }
    if (box->itemIndex() != a.b)
        return broken(std::string("picking item ") + std::to_string(a.b) + " of " + dropDownName(a.a) +
                      " selected " + std::to_string(box->itemIndex()));
    return Outcome::Done;
}

Outcome Session::Impl::typeIntoPicker(const Action& a, Turn& turn)
{
    DropDownList* box = combo(a.a);
    if (!m.widened || box->isHidden() || !box->isEnabled())
        return Outcome::NotPossible;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    for (QChar c : a.text) {
        // The key code of a character key is its upper-case code point.
        const auto code = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, box, code, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, box, code, QString(c), Qt::NoModifier);
    }
    if (a.b == 1)
        QTest::keyClick(box, Qt::Key_Return);
    else if (a.b == 2)
        QTest::keyClick(box, Qt::Key_Delete);
    else
        turn.typedIntoPicker = a.text;
    return Outcome::Done;
}

Outcome Session::Impl::turnWheel(const Action& a)
{
    DropDownList* box = combo(a.a);
    if (!m.widened || box->isHidden())
        return Outcome::NotPossible;
    const QPointF at(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120 * a.b), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    return Outcome::Done;
}

Outcome Session::Impl::switchAway()
{
    otherApplication->show();
    otherApplication->activateWindow();
    if (!spinUntil([this] { return QApplication::activeWindow() == otherApplication.get(); }))
        return broken("the other application never took the focus");
    return Outcome::Done;
}

Outcome Session::Impl::useResultMenu(const Action& a)
{
    if (!m.widened)
        return Outcome::NotPossible;
    QGuiApplication::clipboard()->setText(clipboardBefore);
    const QPoint at(2, result->height() / 2);
    modal.menuEntry = a.a ? QStringLiteral("Копировать с единицей") : QStringLiteral("Копировать");
    modal.menuHandled = false;
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, result->mapToGlobal(at));
    QApplication::sendEvent(result, &event);
    for (int i = 0; i < 100 && !modal.menuHandled; ++i)
        QApplication::processEvents();
    modal.menuEntry.clear();
    if (!modal.menuHandled)
        return broken("the result's menu did not open");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    activate();
    const QString number = m.result.section(u' ', 0, 0);
    const QString expected = m.result.isEmpty() ? clipboardBefore : a.a ? m.result : number;
    if (QGuiApplication::clipboard()->text() != expected)
        return broken("the result's menu copied " + escaped(QGuiApplication::clipboard()->text()) +
                      " instead of " + escaped(expected));
    return Outcome::Done;
}

Outcome Session::Impl::clickNowhere(const Action& a)
{
    if (!m.widened)
        return Outcome::NotPossible;
    QWidget* spots[] = {find<QWidget>(QStringLiteral("sPanel4")), find<QWidget>(QStringLiteral("sGroupBox1")),
                        result, find<QWidget>(QStringLiteral("Image2"))};
    QWidget* spot = spots[a.a % 4];
    QTest::mouseClick(spot, Qt::LeftButton, {}, a.a % 4 == 0 ? QPoint(390, 410) : QPoint(3, 3));
    return Outcome::Done;
}

void Session::Impl::sendKey(QWidget* target, const KeyPress& key)
{
    const auto code = static_cast<Qt::Key>(key.key);
    const auto mods = Qt::KeyboardModifiers(key.modifiers);
    QTest::sendKeyEvent(QTest::Press, target, code, key.text, mods);
    if (target && QApplication::activeModalWidget() == nullptr)
        QTest::sendKeyEvent(QTest::Release, target, code, key.text, mods);
}

QPoint Session::Impl::comboArrow(const QComboBox* box) const
{
    return QPoint(box->width() - 8, box->height() / 2);
}

void Session::Impl::contextMenu(const Action& a)
{
    if (static_cast<ContextCommand>(a.a) == ContextCommand::Paste)
        QGuiApplication::clipboard()->setText(a.text);
    const QPoint at(4, edit->height() / 2);
    QTest::mousePress(edit, Qt::RightButton, {}, at);
    QTest::mouseRelease(edit, Qt::RightButton, {}, at);
    modal.menuCommand = static_cast<ContextCommand>(a.a);
    modal.menuHandled = false;
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->mapToGlobal(at));
    QApplication::sendEvent(edit, &event);
    for (int i = 0; i < 100 && !modal.menuHandled; ++i)
        QApplication::processEvents();
    modal.menuCommand.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    activate(); // the closed menu hands the focus back to the field
}

} // namespace tarvik::users
