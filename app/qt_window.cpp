#include "app/qt_window.h"

#include "app/drop_down_list.h"
#include "app/form_builder.h"
#include "app/kinds_list.h"
#include "app/numeric_edit.h"
#include "app/qt_text.h"
#include "app/result_box.h"
#include "app/window_placement.h"
#include "calculator/calculator.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

namespace tarvik {

QtWindow::QtWindow(QWidget& form, FormControls& controls, ResultBox& result)
    : form_(form), c_(controls), result_(result)
{
}

DropDownList* QtWindow::changing(DropDown which)
{
    DropDownList* l = c_.list(which);
    l->makeEditable();
    return l;
}

void QtWindow::setOuterWidth(int width)
{
    const int frameExtra = form_.frameGeometry().width() - form_.width();
    const int clientWidth = width - frameExtra;
    if (clientWidth != form_.width())
        form_.setFixedSize(clientWidth, form::clientHeight);
    if (Calculator::showsCalculationColumn(width))
        showCalculationColumn(c_);
    // Widening must not push the result off the screen.
    placeWindow(form_, form_.frameGeometry().topLeft());
}

void QtWindow::setVisible(DropDown which, bool visible)
{
    changing(which)->setVisible(visible);
}

void QtWindow::clearItems(DropDown which)
{
    changing(which)->clearItems();
}

void QtWindow::appendItems(DropDown which, std::span<const std::u16string_view> texts)
{
    QStringList items;
    items.reserve(static_cast<qsizetype>(texts.size()));
    for (auto t : texts)
        items.append(qs(t));
    DropDownList* l = changing(which);
    const QSignalBlocker blocker(l);
    const bool wasEmpty = l->count() == 0;
    l->addItems(items);
    // Qt selects item 0 when an empty list is filled; the list's own
    // position stays as it was, so show that.
    if (wasEmpty)
        l->setItemIndex(l->itemIndex());
}

void QtWindow::setItemIndex(DropDown which, int index)
{
    changing(which)->setItemIndex(index);
}

int QtWindow::itemIndex(DropDown which) const
{
    return c_.list(which)->itemIndex();
}

int QtWindow::itemCount(DropDown which) const
{
    return c_.list(which)->count();
}

std::u16string QtWindow::itemText(DropDown which, int index) const
{
    const DropDownList* l = c_.list(which);
    if (index < 0 || index >= l->count())
        return {};
    return l->itemText(index).toStdU16String();
}

void QtWindow::emptyPicker(DropDown which)
{
    changing(which)->empty();
}

void QtWindow::setEnabled(DropDown which, bool enabled)
{
    changing(which)->setEnabled(enabled);
}

void QtWindow::setCaption(DropDown which, std::u16string_view caption)
{
    DropDownList* l = changing(which);
    l->setCaption(qs(caption));
    l->setAccessibleName(qs(caption));
}

int QtWindow::kindsItemIndex(int section) const
{
    return c_.kinds(section)->itemIndex();
}

void QtWindow::clearKindsSelection(int section)
{
    c_.kinds(section)->clearItemIndex();
}

int QtWindow::modeItemIndex() const
{
    return c_.modeButtons->checkedId();
}

void QtWindow::setModeItemText(int item, std::u16string_view text)
{
    c_.modeItems.at(static_cast<std::size_t>(item))->setText(qs(text));
}

void QtWindow::setResultText(std::u16string_view text)
{
    result_.showText(text);
}

void QtWindow::setResultOutOfDate(bool outOfDate, std::u16string_view description)
{
    result_.setOutOfDate(outOfDate, description);
}

void QtWindow::setEstimateAddEnabled(bool enabled)
{
    if (c_.estimateAdd)
        c_.estimateAdd->setEnabled(enabled);
}

void QtWindow::setKindInUse(std::u16string_view text)
{
    c_.kindInUse->setText(qs(text));
    c_.kindInUse->setVisible(!text.empty());
}

void QtWindow::showMissingInput(MissingInput which, std::u16string_view text)
{
    QLabel* notice = c_.missingInput;
    for (DropDownList* l : c_.lists)
        l->setAccessibleDescription({});
    c_.modeItems[0]->setAccessibleDescription({});
    if (which == MissingInput::None) {
        notice->hide();
        return;
    }
    notice->setText(qs(text));
    QWidget* control = c_.modeItems[0];
    switch (which) {
    case MissingInput::Element:
        control = c_.list(DropDown::Element);
        break;
    case MissingInput::E1:
        control = c_.list(DropDown::E1);
        break;
    case MissingInput::E2:
        control = c_.list(DropDown::E2);
        break;
    default:
        break;
    }
    // Beside the mode group's items, or right below the size lists.
    if (which == MissingInput::Mode)
        notice->setGeometry(200, 50, 180, 36);
    else if (which == MissingInput::Element)
        notice->setGeometry(176, 136, 215, 25); // where the second picker stands in the other form
    else
        notice->setGeometry(176, 163, 215, 28);
    notice->show();
    // Read out with the control once it has the focus.
    control->setAccessibleDescription(qs(text));
    control->setFocus(Qt::OtherFocusReason);
}

std::u16string QtWindow::inputText() const
{
    return c_.sEditParam->text().toStdU16String();
}

void QtWindow::setInputText(std::u16string_view text)
{
    c_.sEditParam->setText(qs(text));
}

int QtWindow::inputCaret() const
{
    return c_.sEditParam->caret();
}

int QtWindow::inputSelectionEnd() const
{
    const NumericEdit* edit = c_.sEditParam;
    return edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
}

void QtWindow::showInputHint(std::u16string_view reason)
{
    c_.inputHint->setText(qs(reason));
    c_.sEditParam->setAccessibleDescription(qs(reason));
    c_.inputHint->show();
    c_.inputHintTimer->start();
}

void QtWindow::setInputCaption(std::u16string_view caption)
{
    c_.sEditParamBoundLabel->setText(qs(caption));
    c_.sEditParam->setAccessibleName(qs(caption));
    placeAbove(c_.sEditParamBoundLabel, c_.sEditParam);
}

void QtWindow::activateInputCaption()
{
    placeAbove(c_.sEditParamBoundLabel, c_.sEditParam);
    c_.sEditParamBoundLabel->show();
}

int QtComponentTree::componentCount() const
{
    return static_cast<int>(c_.components.size());
}

bool QtComponentTree::isWindowed(int component) const
{
    return form::isWindowed(form::components()[static_cast<std::size_t>(component)].controlClass);
}

int QtComponentTree::parentOf(int component) const
{
    return form::components()[static_cast<std::size_t>(component)].parent;
}

int QtComponentTree::topOf(int component) const
{
    const QWidget* w = c_.widgetAt(component);
    return w ? w->y() : 0;
}

int QtComponentTree::heightOf(int component) const
{
    const QWidget* w = c_.widgetAt(component);
    return w ? w->height() : 0;
}

void QtComponentTree::setTop(int component, int top)
{
    if (QWidget* w = c_.widgetAt(component))
        w->move(w->x(), top);
}

void QtComponentTree::setHeight(int component, int height)
{
    if (QWidget* w = c_.widgetAt(component))
        w->resize(w->width(), height);
}

} // namespace tarvik
