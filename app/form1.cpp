#include "form1.h"

#include "catalogue/family.h"
#include "core/form_layout.h"
#include "core/size_text.h"
#include "drop_down_list.h"
#include "error_guard.h"
#include "fonts.h"
#include "kinds_list.h"
#include "numeric_edit.h"
#include "skin.h"
#include "window_placement.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>

#include <optional>
#include <utility>

namespace tarvik {
namespace {

char16_t systemSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? u'.' : point.front().unicode();
}

// The controls that do not take their parent's font.
std::optional<QFont> fontOf(const form::Component& c)
{
    using form::ControlClass;
    switch (c.controlClass) {
    case ControlClass::Button:
        if (c.name.starts_with("sButton") && c.name != "sButtonCalc")
            return fonts::msSansSerif(15, true);
        return std::nullopt;
    case ControlClass::KindsList:
        return fonts::arial(11);
    case ControlClass::Label:
        return fonts::arial(21); // sLabelResult
    default:
        break;
    }
    if (c.name == "sPanel4")
        return fonts::arial(15);
    return std::nullopt;
}

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      calc_(*this, systemSeparator()), separatorSource_(systemSeparator)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Тарвик"));
    setFont(fonts::msSansSerif(11));
    setFixedSize(form::clientWidth, form::clientHeight);
    createComponents();
    setUpControls();
    setUpKeyboard();
    bindEvents();
    new FramePlacer(*this, {form::startLeft, form::startTop});
}

TForm1::~TForm1()
{
    // Destroying a window that is still shown takes the focus out of the
    // control that holds it, and a drop-down list whose text was typed then
    // reports a change: its handler would run on a window that is already
    // half destroyed. Detach every handler first.
    sEditParam->keyRule = nullptr;
    sEditParam->clickRule = nullptr;
    sEditParam->leaveRule = nullptr;
    for (DropDownList* l : {sComboBoxElement, sComboBoxE1, sComboBoxE2})
        l->shownItemRule = nullptr;
    // Only these raise the events that run handlers.
    for (QObject* sender :
         std::initializer_list<QObject*>{sComboBoxE1, sComboBoxE2, sButtonCalc, modeButtons_})
        sender->disconnect(this);
    for (std::size_t k = 0; k < headers_.size(); ++k) {
        headers_[k]->disconnect(this);
        kindsLists_[k]->disconnect(this);
    }
}

void TForm1::setSeparatorSource(SeparatorSource source)
{
    separatorSource_ = source ? std::move(source) : SeparatorSource(systemSeparator);
    calc_.setDecimalSeparator(separatorSource_());
}

void TForm1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange && separatorSource_)
        calc_.setDecimalSeparator(separatorSource_());
    QWidget::changeEvent(event);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // sPanel1 fills the whole client area and follows its size.
    if (QWidget* panel = widgetAt(form::sPanel1))
        panel->setGeometry(rect());
}

void TForm1::setResultSelectable(bool selectable)
{
    sLabelResult->setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    sLabelResult->setFocusPolicy(Qt::NoFocus);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // A selectable label lays its text out as a whole document, which makes
    // every new result ten times slower to show: the result is selectable
    // only while the pointer is over it, or while part of it is selected.
    if (watched == sLabelResult) {
        if (event->type() == QEvent::Enter)
            setResultSelectable(true);
        else if (event->type() == QEvent::Leave && !sLabelResult->hasSelectedText())
            setResultSelectable(false);
        return QWidget::eventFilter(watched, event);
    }
    // The open section is the one taller than its header: mark its header,
    // and show its kinds list. A closed section's list lies below the cut of
    // its panel: hidden, it takes no Tab stop and costs nothing to show.
    if (event->type() == QEvent::Resize) {
        for (int k = 1; k <= form::sectionCount; ++k) {
            if (watched != components_[static_cast<std::size_t>(form::sectionPanel(k))])
                continue;
            const bool open = static_cast<QWidget*>(watched)->height() > Accordion::closedHeight;
            markOpenHeader(headers_[static_cast<std::size_t>(k - 1)], open);
            kindsLists_[static_cast<std::size_t>(k - 1)]->setVisible(open);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::createComponents()
{
    using form::ControlClass;
    for (const form::Component& c : form::components()) {
        QWidget* parent = c.parent < 0 ? this : widgetAt(c.parent);
        QWidget* widget = nullptr;
        switch (c.controlClass) {
        case ControlClass::Panel:
        case ControlClass::PlainPanel:
            widget = new QFrame(parent);
            break;
        case ControlClass::Button:
            widget = new QPushButton(parent);
            break;
        case ControlClass::KindsList:
            widget = new KindsList(parent);
            break;
        case ControlClass::RadioGroup:
            widget = new QGroupBox(parent);
            break;
        case ControlClass::DropDownList:
            widget = new DropDownList(parent);
            break;
        case ControlClass::GroupBox:
            widget = new QGroupBox(parent);
            break;
        case ControlClass::Label:
        case ControlClass::Image:
            widget = new QLabel(parent);
            break;
        case ControlClass::Edit:
            widget = new NumericEdit(parent);
            break;
        case ControlClass::SkinManager: {
            auto* holder = new QObject(this);
            holder->setObjectName(QString::fromLatin1(c.name.data(), static_cast<qsizetype>(c.name.size())));
            components_.push_back(holder);
            continue;
        }
        }
        widget->setObjectName(QString::fromLatin1(c.name.data(), static_cast<qsizetype>(c.name.size())));
        // Set before any child exists, so that no font change has to travel
        // down a finished tree.
        if (const std::optional<QFont> font = fontOf(c))
            widget->setFont(*font);
        widget->setGeometry(c.left, c.top, c.width, c.height);
        components_.push_back(widget);
    }

    for (int k = 1; k <= form::sectionCount; ++k) {
        headers_[static_cast<std::size_t>(k - 1)] =
            static_cast<QPushButton*>(widgetAt(form::headerButton(k)));
        kindsLists_[static_cast<std::size_t>(k - 1)] = static_cast<KindsList*>(widgetAt(form::kindsList(k)));
    }
    sRadioGroup = static_cast<QGroupBox*>(widgetAt(form::sRadioGroup));
    sComboBoxElement = static_cast<DropDownList*>(widgetAt(form::sComboBoxElement));
    sComboBoxE1 = static_cast<DropDownList*>(widgetAt(form::sComboBoxE1));
    sComboBoxE2 = static_cast<DropDownList*>(widgetAt(form::sComboBoxE2));
    sLabelResult = static_cast<QLabel*>(widgetAt(form::sLabelResult));
    sButtonCalc = static_cast<QPushButton*>(widgetAt(form::sButtonCalc));
    sEditParam = static_cast<NumericEdit*>(widgetAt(form::sEditParam));
}

void TForm1::setUpControls()
{
    for (int k = 1; k <= form::sectionCount; ++k) {
        const catalogue::Family& family = *catalogue::families[static_cast<std::size_t>(k - 1)];
        auto* panel = static_cast<QFrame*>(widgetAt(form::sectionPanel(k)));
        panel->setFrameShape(QFrame::NoFrame);
        panel->installEventFilter(this);

        QPushButton* header = headers_[static_cast<std::size_t>(k - 1)];
        header->setText(qs(family.header));
        kindsLists_[static_cast<std::size_t>(k - 1)]->setAccessibleName(qs(family.header));

        KindsList* kinds = kindsLists_[static_cast<std::size_t>(k - 1)];
        for (auto name : family.kinds) {
            auto* item = new QListWidgetItem(qs(name), kinds);
            item->setSizeHint(QSize(0, KindsList::itemHeight));
        }
    }

    modeButtons_ = new QButtonGroup(this);
    sRadioGroup->setTitle(QStringLiteral("Расчитать"));
    const QString itemTexts[] = {QStringLiteral("Массу по площади"), QStringLiteral("Площадь по массе")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(itemTexts[i], sRadioGroup);
        item->setObjectName(QStringLiteral("sRadioGroupItem%1").arg(i));
        item->setGeometry(12, 22 + 26 * i, 341, 24);
        modeButtons_->addButton(item, i);
        modeItems_[static_cast<std::size_t>(i)] = item;
    }

    for (DropDownList* l : {sComboBoxElement, sComboBoxE1, sComboBoxE2}) {
        l->boundLabel()->setObjectName(l->objectName() + QStringLiteral("BoundLabel"));
        l->boundLabel()->setFont(fonts::arial(16));
        l->setAccessibleName(l->boundLabel()->text());
    }
    sComboBoxElement->setVisible(false);

    static_cast<QGroupBox*>(widgetAt(form::sGroupBox1))->setTitle(QStringLiteral("Результат"));
    // The result can be selected and copied with the mouse (see eventFilter);
    // a click on it must not take the focus from the input field.
    sLabelResult->setFocusPolicy(Qt::NoFocus);
    sLabelResult->setAttribute(Qt::WA_Hover);
    sLabelResult->installEventFilter(this);
    sLabelResult->setAccessibleName(QStringLiteral("Результат"));
    sButtonCalc->setText(QStringLiteral("Расчитать"));

    sEditParam->setText(QStringLiteral("0"));
    sEditParamBoundLabel = new QLabel(sEditParam->parentWidget());
    sEditParamBoundLabel->setObjectName(QStringLiteral("sEditParamBoundLabel"));
    sEditParamBoundLabel->setFont(fonts::msSansSerif(16));
    sEditParamBoundLabel->hide();
}

void TForm1::setUpKeyboard()
{
    // Tab never lands on a control the user cannot see: the kinds lists of
    // closed sections, and the right column until the window widens. Both
    // stay hidden until they can be seen, which also spares the start the
    // cost of polishing and laying them out. The order among the controls
    // that can be seen stays the creation order.
    for (KindsList* kinds : kindsLists_)
        kinds->hide();
    widgetAt(form::sPanel4)->hide();

    // Enter presses a focused button as Space does; outside a dialog Qt
    // leaves that to auto-default buttons.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(true);

    // Copying the result. Ctrl+C copies the number wherever the focus holds
    // nothing of its own to copy; the drop-down lists and the input field
    // claim the key for their text first, and keep it.
    copyNumber_ = new QAction(QStringLiteral("Копировать"), this);
    copyNumber_->setObjectName(QStringLiteral("copyResultNumber"));
    copyNumber_->setShortcut(QKeySequence::Copy);
    copyNumber_->setShortcutVisibleInContextMenu(true);
    copyWithUnit_ = new QAction(QStringLiteral("Копировать с единицей"), this);
    copyWithUnit_->setObjectName(QStringLiteral("copyResultWithUnit"));
    connect(copyNumber_, &QAction::triggered, this, [this] { copyResult(false); });
    connect(copyWithUnit_, &QAction::triggered, this, [this] { copyResult(true); });
    auto* copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, [this] {
        const QWidget* focus = focusWidget();
        if (qobject_cast<const QAbstractButton*>(focus) || qobject_cast<const KindsList*>(focus))
            copyResult(false);
    });

    // A right click anywhere in the result box; the label defers to it.
    sLabelResult->setContextMenuPolicy(Qt::NoContextMenu);
    auto* resultBox = widgetAt(form::sGroupBox1);
    resultBox->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultBox, &QWidget::customContextMenuRequested, this,
            [this, resultBox](const QPoint& at) { showResultMenu(resultBox->mapToGlobal(at)); });
}

void TForm1::showRightColumn()
{
    QWidget* column = widgetAt(form::sPanel4);
    if (!column->isHidden())
        return;
    for (DropDownList* l : {sComboBoxElement, sComboBoxE1, sComboBoxE2}) {
        l->makeEditable();
        l->placeBoundLabel();
    }
    column->show();
}

void TForm1::copyResult(bool withUnit) const
{
    const std::u16string_view text =
        withUnit ? std::u16string_view(calc_.resultText()) : calc_.resultNumber();
    if (!text.empty())
        QGuiApplication::clipboard()->setText(qs(text));
}

void TForm1::showResultMenu(const QPoint& at)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("resultMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool shown = !calc_.resultText().empty();
    copyNumber_->setEnabled(shown);
    copyWithUnit_->setEnabled(shown);
    menu->addAction(copyNumber_);
    menu->addAction(copyWithUnit_);
    menu->popup(at);
}

void TForm1::bindEvents()
{
    for (int k = 1; k <= form::sectionCount; ++k) {
        connect(headers_[static_cast<std::size_t>(k - 1)], &QPushButton::clicked, this,
                guarded(this, [this, k] { accordion_.sButton1Click(*this, form::headerButton(k)); }));
        connect(kindsLists_[static_cast<std::size_t>(k - 1)], &KindsList::chosen, this,
                guarded(this, [this, k] { calc_.sListBoxClick(k); }));
    }
    connect(modeButtons_, &QButtonGroup::idToggled, this, guarded<int, bool>(this, [this](int, bool checked) {
                if (checked)
                    calc_.sRadioGroupClick();
            }));
    const std::pair<DropDownList*, DropDown> lists[] = {
        {sComboBoxElement, DropDown::Element}, {sComboBoxE1, DropDown::E1}, {sComboBoxE2, DropDown::E2}};
    for (auto [l, which] : lists)
        l->shownItemRule = [this, which](std::u16string_view shown) {
            return itemShowingText(*this, which, shown);
        };
    connect(sComboBoxE1, &DropDownList::changed, this, guarded(this, [this] { calc_.sComboBoxE1Change(); }));
    connect(sComboBoxE2, &DropDownList::changed, this, guarded(this, [this] { calc_.sComboBoxE2Change(); }));
    connect(sButtonCalc, &QPushButton::clicked, this, guarded(this, [this] { calc_.sButtonCalcClick(); }));
    sEditParam->keyRule =
        guarded<char16_t>(this, [this](char16_t key) { return calc_.sEditParamKeyPress(key); });
    sEditParam->clickRule = guarded(this, [this] { calc_.sEditParamClick(); });
    sEditParam->leaveRule = guarded(this, [this] { calc_.sEditParamExit(); });
}

void TForm1::placeOnScreen()
{
    placeWindow(*this, {form::startLeft, form::startTop});
}

// --- Window ------------------------------------------------------------------

// Every window operation on a drop-down list comes through here: the list
// gets its line edit before its first use.
DropDownList* TForm1::list(DropDown which) const
{
    DropDownList* l = sComboBoxElement;
    switch (which) {
    case DropDown::Element:
        break;
    case DropDown::E1:
        l = sComboBoxE1;
        break;
    case DropDown::E2:
        l = sComboBoxE2;
        break;
    }
    l->makeEditable();
    return l;
}

void TForm1::setOuterWidth(int width)
{
    const int frameExtra = frameGeometry().width() - this->width();
    const int clientWidth = width - frameExtra;
    if (clientWidth != this->width())
        setFixedSize(clientWidth, form::clientHeight);
    showRightColumn();
    // Widening must not push the result off the screen.
    placeWindow(*this, frameGeometry().topLeft());
}

void TForm1::setVisible(DropDown which, bool visible)
{
    list(which)->setVisible(visible);
}

void TForm1::clearItems(DropDown which)
{
    list(which)->clearItems();
}

void TForm1::appendItems(DropDown which, std::span<const std::u16string_view> texts)
{
    QStringList items;
    items.reserve(static_cast<qsizetype>(texts.size()));
    for (auto t : texts)
        items.append(qs(t));
    const QSignalBlocker blocker(list(which));
    const bool wasEmpty = list(which)->count() == 0;
    list(which)->addItems(items);
    // Qt selects item 0 when an empty list is filled; the list's own
    // position stays as it was, so show that.
    if (wasEmpty)
        list(which)->setItemIndex(list(which)->itemIndex());
}

void TForm1::setItemIndex(DropDown which, int index)
{
    list(which)->setItemIndex(index);
}

int TForm1::itemIndex(DropDown which) const
{
    return list(which)->itemIndex();
}

int TForm1::itemCount(DropDown which) const
{
    return list(which)->count();
}

std::u16string TForm1::itemText(DropDown which, int index) const
{
    if (index < 0 || index >= list(which)->count())
        return {};
    return list(which)->itemText(index).toStdU16String();
}

void TForm1::emptyPicker(DropDown which)
{
    list(which)->empty();
}

void TForm1::setEnabled(DropDown which, bool enabled)
{
    list(which)->setEnabled(enabled);
}

void TForm1::setCaption(DropDown which, std::u16string_view caption)
{
    list(which)->setCaption(qs(caption));
    list(which)->setAccessibleName(qs(caption));
}

int TForm1::kindsItemIndex(int section) const
{
    return kindsLists_.at(static_cast<std::size_t>(section - 1))->itemIndex();
}

void TForm1::clearKindsSelection(int section)
{
    kindsLists_.at(static_cast<std::size_t>(section - 1))->clearItemIndex();
}

int TForm1::modeItemIndex() const
{
    return modeButtons_->checkedId();
}

void TForm1::setModeItemText(int item, std::u16string_view text)
{
    modeItems_.at(static_cast<std::size_t>(item))->setText(qs(text));
}

void TForm1::setResultText(std::u16string_view text)
{
    if (!sLabelResult->underMouse() && sLabelResult->textInteractionFlags() != Qt::NoTextInteraction)
        setResultSelectable(false);
    sLabelResult->setText(qs(text));
    // The label sizes itself to its text, growing to the right.
    const QRect r = sLabelResult->geometry();
    sLabelResult->setGeometry(r.x(), r.y(), std::max(1, sLabelResult->sizeHint().width()), r.height());
}

std::u16string TForm1::inputText() const
{
    return sEditParam->text().toStdU16String();
}

void TForm1::setInputText(std::u16string_view text)
{
    sEditParam->setText(qs(text));
}

int TForm1::inputCaret() const
{
    return sEditParam->caret();
}

void TForm1::setInputCaption(std::u16string_view caption)
{
    sEditParamBoundLabel->setText(qs(caption));
    sEditParam->setAccessibleName(qs(caption));
    placeAbove(sEditParamBoundLabel, sEditParam);
}

void TForm1::activateInputCaption()
{
    placeAbove(sEditParamBoundLabel, sEditParam);
    sEditParamBoundLabel->show();
}

// --- ComponentTree -----------------------------------------------------------

QWidget* TForm1::widgetAt(int component) const
{
    return qobject_cast<QWidget*>(components_.at(static_cast<std::size_t>(component)));
}

int TForm1::componentCount() const
{
    return static_cast<int>(components_.size());
}

bool TForm1::isWindowed(int component) const
{
    return form::isWindowed(form::components()[static_cast<std::size_t>(component)].controlClass);
}

int TForm1::parentOf(int component) const
{
    return form::components()[static_cast<std::size_t>(component)].parent;
}

int TForm1::topOf(int component) const
{
    const QWidget* w = widgetAt(component);
    return w ? w->y() : 0;
}

int TForm1::heightOf(int component) const
{
    const QWidget* w = widgetAt(component);
    return w ? w->height() : 0;
}

void TForm1::setTop(int component, int top)
{
    if (QWidget* w = widgetAt(component))
        w->move(w->x(), top);
}

void TForm1::setHeight(int component, int height)
{
    if (QWidget* w = widgetAt(component))
        w->resize(w->width(), height);
}

} // namespace tarvik
