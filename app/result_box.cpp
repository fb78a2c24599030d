#include "app/result_box.h"

#include "app/kinds_list.h"
#include "app/qt_text.h"
#include "calculator/form_layout.h"
#include "text/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QRadioButton>
#include <QShortcut>

namespace tarvik {
namespace {

constexpr const char* outOfDateProperty = "outOfDate";
// The least gap between the result and the box's edges.
constexpr int edgeGap = 8;

FocusedControl focusedControl(const QWidget* focus)
{
    if (qobject_cast<const QRadioButton*>(focus))
        return FocusedControl::ModeButton;
    if (qobject_cast<const QAbstractButton*>(focus))
        return FocusedControl::Button;
    if (qobject_cast<const KindsList*>(focus))
        return FocusedControl::KindsList;
    if (qobject_cast<const QComboBox*>(focus) || (focus && qobject_cast<const QComboBox*>(focus->parent())))
        return FocusedControl::DropDownList;
    if (qobject_cast<const QLineEdit*>(focus))
        return FocusedControl::NumberField;
    return FocusedControl::Other;
}

} // namespace

ResultBox::ResultBox(QWidget& window, QGroupBox* box, QLabel* label, const Calculator& calc)
    : QObject(&window), window_(window), box_(box), label_(label), calc_(calc),
      copyNumber_(new QAction(qs(caption(Caption::CopyResultNumber)), this)),
      copyWithUnit_(new QAction(qs(caption(Caption::CopyResultWithUnit)), this))
{
    // The result can be selected and copied with the mouse (see
    // eventFilter); a click on it must not take the focus from the input
    // field.
    label_->setFocusPolicy(Qt::NoFocus);
    label_->setAttribute(Qt::WA_Hover);
    label_->installEventFilter(this);

    copyNumber_->setObjectName(QStringLiteral("copyResultNumber"));
    copyNumber_->setShortcut(QKeySequence::Copy);
    copyNumber_->setShortcutVisibleInContextMenu(true);
    copyWithUnit_->setObjectName(QStringLiteral("copyResultWithUnit"));
    connect(copyNumber_, &QAction::triggered, this, [this] { copy(ResultCopy::Number); });
    connect(copyWithUnit_, &QAction::triggered, this, [this] { copy(ResultCopy::WithUnit); });

    // The drop-down lists and the input field claim Ctrl+C for their own
    // text first; elsewhere the calculator says whether it copies the result.
    auto* copyKey = new QShortcut(QKeySequence::Copy, &window_);
    connect(copyKey, &QShortcut::activated, this, &ResultBox::copyOnCtrlC);

    // A right click anywhere in the box; the label defers to it.
    label_->setContextMenuPolicy(Qt::NoContextMenu);
    box_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showMenu(box_->mapToGlobal(at)); });
}

void ResultBox::showText(std::u16string_view text)
{
    if (!label_->underMouse() && label_->textInteractionFlags() != Qt::NoTextInteraction)
        setSelectable(false);
    setOutOfDate(false, {});
    label_->setText(qs(text));
    // The label sizes itself to its text, growing to the right from its
    // place; a result too long for the rest of the box moves left, as far as
    // the box's edge, so it is shown whole.
    const int width = std::max(1, label_->sizeHint().width());
    const int room = box_->width() - edgeGap;
    const int left = std::max(edgeGap, std::min(form::components()[form::sLabelResult].left, room - width));
    label_->setGeometry(left, label_->y(), width, label_->height());
}

void ResultBox::setOutOfDate(bool outOfDate, std::u16string_view description)
{
    if (label_->property(outOfDateProperty).toBool() == outOfDate)
        return;
    label_->setProperty(outOfDateProperty, outOfDate);
    QPalette palette = label_->palette();
    palette.setColor(
        QPalette::WindowText,
        box_->palette().color(outOfDate ? QPalette::Disabled : QPalette::Active, QPalette::WindowText));
    label_->setPalette(palette);
    label_->setAccessibleDescription(qs(description));
}

void ResultBox::copy(ResultCopy which) const
{
    const std::u16string_view text = resultCopyText(calc_, which);
    if (!text.empty())
        QGuiApplication::clipboard()->setText(qs(text));
}

void ResultBox::copyOnCtrlC()
{
    if (ctrlCCopiesResult(calc_, focusedControl(window_.focusWidget()), false))
        copy(ResultCopy::Number);
}

void ResultBox::setSelectable(bool selectable)
{
    label_->setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    label_->setFocusPolicy(Qt::NoFocus);
}

bool ResultBox::eventFilter(QObject* watched, QEvent* event)
{
    // A selectable label lays its text out as a whole document, which makes
    // every new result several times slower to show: the result is
    // selectable only while the pointer is over it, or while part of it is
    // selected.
    if (watched == label_) {
        if (event->type() == QEvent::Enter)
            setSelectable(true);
        else if (event->type() == QEvent::Leave && !label_->hasSelectedText())
            setSelectable(false);
    }
    return QObject::eventFilter(watched, event);
}

void ResultBox::showMenu(const QPoint& at)
{
    auto* menu = new QMenu(&window_);
    menu->setObjectName(QStringLiteral("resultMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool enabled = resultCopyEnabled(calc_);
    copyNumber_->setEnabled(enabled);
    copyWithUnit_->setEnabled(enabled);
    menu->addAction(copyNumber_);
    menu->addAction(copyWithUnit_);
    menu->popup(at);
}

} // namespace tarvik
