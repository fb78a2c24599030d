#include "app/drop_down_list.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <algorithm>

namespace tarvik {

void placeAbove(QLabel* label, const QWidget* control, int gap)
{
    label->adjustSize();
    const QSize size = label->sizeHint();
    const QRect c = control->geometry();
    label->setGeometry(c.x() + (c.width() - size.width()) / 2, c.y() - gap - size.height(), size.width(),
                       size.height());
}

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent), boundLabel_(new QLabel(parent))
{
    // The wheel over a list the user has not chosen scrolls nothing away:
    // only a focused list takes it, and it does not take the focus.
    setFocusPolicy(Qt::StrongFocus);
    // Enter must never add the typed text as an item: that item would have
    // no unit mass.
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(16);
    connect(this, &QComboBox::activated, this, &DropDownList::onActivated);
}

void DropDownList::makeEditable()
{
    if (isEditable())
        return;
    setEditable(true);
    // Completion is the calculator's rule (editRule), not Qt's completer,
    // whose letter case folding and item choice differ from it.
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &DropDownList::onTextEdited);
}

void DropDownList::setItemIndex(int index)
{
    const QSignalBlocker blocker(this);
    itemIndex_ = index >= 0 && index < count() ? index : -1;
    setCurrentIndex(itemIndex_);
    if (itemIndex_ < 0)
        clearEditText();
    showTextStart();
}

void DropDownList::showTextStart()
{
    // A long size ("С44-1000-0,55") in the closed box shows its beginning,
    // where the profile's letter is, not its end.
    if (lineEdit() && !hasFocus())
        lineEdit()->setCursorPosition(0);
}

void DropDownList::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    showTextStart();
    emit left();
}

void DropDownList::wheelEvent(QWheelEvent* event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

void DropDownList::clearItems()
{
    const QSignalBlocker blocker(this);
    const QString shown = currentText();
    clear();
    itemIndex_ = -1;
    setEditText(shown);
}

void DropDownList::empty()
{
    const QSignalBlocker blocker(this);
    clear();
    clearEditText();
    itemIndex_ = -1;
}

void DropDownList::setCaption(const QString& caption)
{
    boundLabel_->setText(caption);
    placeBoundLabel();
}

namespace {

// Deletions never complete: completing would put back what was deleted.
SizeTextChange changeOf(const QKeyEvent* event)
{
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete || event->text().isEmpty() ||
        !event->text().front().isPrint())
        return SizeTextChange::Deleted;
    return SizeTextChange::Typed;
}

} // namespace

void DropDownList::keyPressEvent(QKeyEvent* event)
{
    const SizeTextChange change =
        event->matches(QKeySequence::Paste) ? SizeTextChange::Whole : changeOf(event);
    whileEditing(change, [this, event] { QComboBox::keyPressEvent(event); });
}

void DropDownList::inputMethodEvent(QInputMethodEvent* event)
{
    const SizeTextChange change =
        event->commitString().isEmpty() ? SizeTextChange::Deleted : SizeTextChange::Typed;
    whileEditing(change, [this, event] { QComboBox::inputMethodEvent(event); });
}

void DropDownList::whileEditing(SizeTextChange change, const std::function<void()>& edit)
{
    if (inEdit_) {
        edit();
        return;
    }
    inEdit_ = true;
    edit();
    inEdit_ = false;
    if (edited_) {
        edited_ = false;
        applyEditRule(change);
        emit changed();
    }
}

void DropDownList::onTextEdited()
{
    if (inEdit_) {
        edited_ = true;
        return;
    }
    // The context menu's paste, or a drop.
    applyEditRule(SizeTextChange::Whole);
    emit changed();
}

void DropDownList::onActivated()
{
    applyEditRule(SizeTextChange::Whole);
    showTextStart();
    emit changed();
}

void DropDownList::applyEditRule(SizeTextChange change)
{
    if (!editRule) {
        itemIndex_ = -1;
        return;
    }
    const QString text = currentText();
    const SizeTextEdit edit = editRule(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                           static_cast<std::size_t>(text.size())),
                                       change);
    itemIndex_ = edit.item;
    if (edit.completedFrom >= 0 && lineEdit()) {
        const QString shown = QString::fromStdU16String(edit.shown);
        lineEdit()->setText(shown);
        // The completed part selected, the caret after the typed text, so
        // that the next character replaces it.
        lineEdit()->setSelection(static_cast<int>(shown.size()),
                                 edit.completedFrom - static_cast<int>(shown.size()));
    }
}

void DropDownList::placeBoundLabel()
{
    placeAbove(boundLabel_, this);
}

void DropDownList::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        boundLabel_->setEnabled(isEnabled());
    QComboBox::changeEvent(event);
}

void DropDownList::setVisible(bool visible)
{
    QComboBox::setVisible(visible);
    boundLabel_->setVisible(visible);
}

void DropDownList::showPopup()
{
    // A popup as wide as the box cuts long sizes short in the middle
    // ("С10-1…-0,55"). Widening the list widens only the popup.
    QAbstractItemView* items = view();
    int wanted = items->sizeHintForColumn(0) + 2 * items->frameWidth();
    if (count() > maxVisibleItems())
        wanted += items->verticalScrollBar()->sizeHint().width();
    if (const QScreen* where = screen())
        wanted = std::min(wanted, where->availableGeometry().width());
    items->setMinimumWidth(wanted);
    QComboBox::showPopup();
}

} // namespace tarvik
