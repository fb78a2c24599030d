#include "app/form_builder.h"

#include "app/drop_down_list.h"
#include "app/fonts.h"
#include "app/kinds_list.h"
#include "app/numeric_edit.h"
#include "app/qt_text.h"
#include "app/skin.h"
#include "catalogue/family.h"
#include "catalogue/own_sections.h"
#include "number/entry_rules.h"
#include "text/captions.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidgetItem>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <vector>

namespace tarvik {
namespace {

QWidget* createWidget(form::ControlClass controlClass, QWidget* parent)
{
    using form::ControlClass;
    switch (controlClass) {
    case ControlClass::Panel:
    case ControlClass::PlainPanel:
        return new QFrame(parent);
    case ControlClass::Button:
        return new QPushButton(parent);
    case ControlClass::KindsList:
        return new KindsList(parent);
    case ControlClass::RadioGroup:
    case ControlClass::GroupBox:
        return new QGroupBox(parent);
    case ControlClass::DropDownList:
        return new DropDownList(parent);
    case ControlClass::Label:
    case ControlClass::Image:
        return new QLabel(parent);
    case ControlClass::Edit:
        return new NumericEdit(parent);
    case ControlClass::SkinManager:
        break;
    }
    return nullptr;
}

QString latin1(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void createComponents(QWidget& window, FormControls& c)
{
    for (const form::Component& entry : form::components()) {
        if (entry.controlClass == form::ControlClass::SkinManager) {
            // Draws nothing itself: a named holder keeps the component count.
            auto* holder = new QObject(&window);
            holder->setObjectName(latin1(entry.name));
            c.components.push_back(holder);
            continue;
        }
        QWidget* parent = entry.parent < 0 ? &window : c.widgetAt(entry.parent);
        QWidget* widget = createWidget(entry.controlClass, parent);
        widget->setObjectName(latin1(entry.name));
        // Set before any child exists, so that no font change has to travel
        // down a finished tree.
        if (entry.font.pixelSize > 0)
            widget->setFont(controlFont(entry.font));
        widget->setGeometry(entry.left, entry.top, entry.width, entry.height);
        c.components.push_back(widget);
    }

    for (int k = 1; k <= form::allSections; ++k) {
        c.headers[static_cast<std::size_t>(k - 1)] =
            static_cast<QPushButton*>(c.widgetAt(form::headerButton(k)));
        c.kindsLists[static_cast<std::size_t>(k - 1)] =
            static_cast<KindsList*>(c.widgetAt(form::kindsList(k)));
    }
    c.calculationColumn = c.widgetAt(form::sPanel4);
    c.lists = {static_cast<DropDownList*>(c.widgetAt(form::sComboBoxElement)),
               static_cast<DropDownList*>(c.widgetAt(form::sComboBoxE1)),
               static_cast<DropDownList*>(c.widgetAt(form::sComboBoxE2))};
    c.resultBox = static_cast<QGroupBox*>(c.widgetAt(form::sGroupBox1));
    c.sLabelResult = static_cast<QLabel*>(c.widgetAt(form::sLabelResult));
    c.sButtonCalc = static_cast<QPushButton*>(c.widgetAt(form::sButtonCalc));
    c.sEditParam = static_cast<NumericEdit*>(c.widgetAt(form::sEditParam));
}

void fillSection(FormControls& c, int k, std::u16string_view header, auto&& kindNames)
{
    static_cast<QFrame*>(c.widgetAt(form::sectionPanel(k)))->setFrameShape(QFrame::NoFrame);
    c.header(k)->setText(qs(header));
    KindsList* kinds = c.kinds(k);
    kinds->setAccessibleName(qs(header));
    for (auto name : kindNames) {
        auto* item = new QListWidgetItem(qs(name), kinds);
        item->setSizeHint(QSize(0, KindsList::itemHeight));
    }
}

void fillSections(FormControls& c)
{
    for (int k = 1; k <= form::sectionCount; ++k) {
        const catalogue::Family& family = *catalogue::families[static_cast<std::size_t>(k - 1)];
        fillSection(c, k, family.header, family.kinds);
    }
    std::vector<std::u16string_view> ownKinds;
    for (const catalogue::OwnKind& kind : catalogue::ownKinds)
        ownKinds.push_back(kind.name);
    fillSection(c, form::ownSection, catalogue::ownSectionsHeader, ownKinds);
}

void fillCalculationColumn(QWidget& window, FormControls& c)
{
    auto* modeGroup = static_cast<QGroupBox*>(c.widgetAt(form::sRadioGroup));
    modeGroup->setTitle(qs(caption(Caption::ModeGroup)));
    c.modeButtons = new QButtonGroup(&window);
    const Caption itemTexts[] = {Caption::StartModeItem0, Caption::StartModeItem1};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(qs(caption(itemTexts[i])), modeGroup);
        item->setObjectName(QStringLiteral("sRadioGroupItem%1").arg(i));
        item->setGeometry(12, 22 + 26 * i, 341, 24);
        c.modeButtons->addButton(item, i);
        c.modeItems[static_cast<std::size_t>(i)] = item;
    }

    for (DropDownList* l : c.lists) {
        l->boundLabel()->setObjectName(l->objectName() + QStringLiteral("BoundLabel"));
        l->boundLabel()->setFont(controlFont(form::captionFont));
        // Placed when the column first shows.
        l->boundLabel()->setText(qs(caption(Caption::SizeListAtStart)));
        l->setAccessibleName(l->boundLabel()->text());
    }
    c.list(DropDown::Element)->setVisible(false);

    c.resultBox->setTitle(qs(caption(Caption::ResultBox)));
    c.sLabelResult->setAccessibleName(qs(caption(Caption::ResultName)));
    c.sButtonCalc->setText(qs(caption(Caption::CalcButton)));
    c.sButtonCalc->setAccessibleName(qs(caption(Caption::CalcButtonName)));

    c.sEditParam->setText(qs(caption(Caption::NumberFieldAtStart)));
    c.sEditParamBoundLabel = new QLabel(c.sEditParam->parentWidget());
    c.sEditParamBoundLabel->setObjectName(QStringLiteral("sEditParamBoundLabel"));
    c.sEditParamBoundLabel->setFont(controlFont(form::captionFont));
    c.sEditParamBoundLabel->hide();
}

QLabel* notice(QWidget* parent, const char* name, Caption accessibleName, QRect geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(qs(caption(accessibleName)));
    label->setWordWrap(true);
    label->setGeometry(geometry);
    label->hide();
    return label;
}

// The lines that tell the user something, in the column's free places: the
// kind above the mode group, notices right of the lists and of the field.
void addNotices(FormControls& c)
{
    QWidget* column = c.calculationColumn;
    c.kindInUse = notice(column, "kindInUse", Caption::KindInUseName, {16, 2, 365, 20});
    c.kindInUse->setWordWrap(false);
    QFont bold = c.kindInUse->font();
    bold.setBold(true);
    c.kindInUse->setFont(bold);
    c.missingInput = notice(column, "missingInput", Caption::MissingInputName, {176, 163, 215, 28});
    c.inputHint = notice(column, "inputHint", Caption::InputHintName, {160, 192, 231, 40});
    for (QLabel* l : {c.missingInput, c.inputHint})
        l->setForegroundRole(QPalette::Link);
    c.inputHintTimer = new QTimer(c.inputHint);
    c.inputHintTimer->setSingleShot(true);
    c.inputHintTimer->setInterval(inputHintMilliseconds);
    QObject::connect(c.inputHintTimer, &QTimer::timeout, c.inputHint, &QWidget::hide);
}

QPushButton* estimateButton(QWidget* column, const char* name, Caption text, QRect geometry)
{
    auto* button = new QPushButton(qs(caption(text)), column);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(button->text());
    button->setGeometry(geometry);
    return button;
}

// «Смета» and «В смету», outside the stored layout. «В смету» waits for a
// result.
void addEstimateButtons(FormControls& c)
{
    c.estimateShow =
        estimateButton(c.calculationColumn, "estimateShow", Caption::EstimateTitle, estimateShowGeometry);
    c.estimateAdd =
        estimateButton(c.calculationColumn, "estimateAdd", Caption::AddToEstimate, estimateAddGeometry);
    c.estimateAdd->setEnabled(false);
}

// The order the eye follows: the mode, the sizes, the number, «Расчитать»,
// then the estimate's buttons from the nearest, then the material's group
// below them, row by row.
void orderTabStops(FormControls& c)
{
    QWidget* previous = c.modeItems[1];
    const MaterialControls& m = c.material;
    for (QWidget* next : std::initializer_list<QWidget*>{
             c.list(DropDown::Element), c.list(DropDown::E1), c.list(DropDown::E2), c.sEditParam,
             c.sButtonCalc, c.estimateAdd, c.estimateShow, m.metal, m.grade, m.density, m.dimensions[0],
             m.dimensions[1], m.dimensions[2], m.dimensions[3], m.radiusStandard, m.dimensions[4]}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

} // namespace

QWidget* FormControls::widgetAt(int component) const
{
    return qobject_cast<QWidget*>(components.at(static_cast<std::size_t>(component)));
}

FormControls buildForm(QWidget& window)
{
    FormControls c;
    createComponents(window, c);
    fillSections(c);
    fillCalculationColumn(window, c);
    addNotices(c);
    addEstimateButtons(c);
    c.material = buildMaterialControls(*c.widgetAt(form::sPanel1));
    orderTabStops(c);

    for (KindsList* kinds : c.kindsLists)
        kinds->hide();
    c.calculationColumn->hide();
    // Enter presses a focused button as Space does; outside a dialog Qt
    // leaves that to auto-default buttons.
    for (QPushButton* button : window.findChildren<QPushButton*>())
        button->setAutoDefault(true);
    return c;
}

void showCalculationColumn(FormControls& c)
{
    if (!c.calculationColumn->isHidden())
        return;
    for (DropDownList* l : c.lists) {
        l->makeEditable();
        l->placeBoundLabel();
    }
    c.calculationColumn->show();
    c.material.group->show();
}

void showOpenSection(FormControls& c, int openSection)
{
    for (int k = 1; k <= form::allSections; ++k) {
        markOpenHeader(c.header(k), k == openSection);
        c.kinds(k)->setVisible(k == openSection);
    }
}

} // namespace tarvik
