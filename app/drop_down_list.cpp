#include "drop_down_list.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>

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
    // Enter must never add the typed text as an item: that item would have
    // no unit mass.
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(16);
    boundLabel_->setText(QStringLiteral("Размер"));
    connect(this, &QComboBox::activated, this, &DropDownList::onActivated);
}

void DropDownList::makeEditable()
{
    if (isEditable())
        return;
    setEditable(true);
    connect(lineEdit(), &QLineEdit::textEdited, this, &DropDownList::onTextEdited);
}

void DropDownList::setItemIndex(int index)
{
    const QSignalBlocker blocker(this);
    itemIndex_ = index >= 0 && index < count() ? index : -1;
    setCurrentIndex(itemIndex_);
    if (itemIndex_ < 0)
        clearEditText();
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

void DropDownList::keyPressEvent(QKeyEvent* event)
{
    afterCompletion([this, event] { QComboBox::keyPressEvent(event); });
}

void DropDownList::inputMethodEvent(QInputMethodEvent* event)
{
    afterCompletion([this, event] { QComboBox::inputMethodEvent(event); });
}

void DropDownList::afterCompletion(const std::function<void()>& edit)
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
        selectShownItem();
        emit changed();
    }
}

void DropDownList::onTextEdited()
{
    if (inEdit_) {
        edited_ = true;
        return;
    }
    selectShownItem();
    emit changed();
}

void DropDownList::onActivated()
{
    selectShownItem();
    emit changed();
}

void DropDownList::selectShownItem()
{
    const QString shown = currentText();
    itemIndex_ = shownItemRule
                     ? shownItemRule(std::u16string_view(reinterpret_cast<const char16_t*>(shown.utf16()),
                                                         static_cast<std::size_t>(shown.size())))
                     : -1;
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
