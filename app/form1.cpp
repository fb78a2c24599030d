#include "app/form1.h"

#include "app/drop_down_list.h"
#include "app/error_guard.h"
#include "app/estimate/estimate_keeper.h"
#include "app/estimate/estimate_window.h"
#include "app/fonts.h"
#include "app/kinds_list.h"
#include "app/numeric_edit.h"
#include "app/qt_text.h"
#include "app/window_placement.h"
#include "calculator/size_text.h"
#include "text/captions.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <memory>
#include <utility>

namespace tarvik {
namespace {

char16_t systemSeparator()
{
    return decimalSeparatorOf(u16view(QLocale::system().decimalPoint()));
}

// The window's font is set before any control exists, so that no font
// change has to travel down a finished tree.
QWidget* withWindowFont(QWidget* form)
{
    form->setFont(controlFont(form::windowFont));
    return form;
}

// Runs `then` from the event loop once the watched widget has been painted
// for the first time, so that paint is on the screen before `then` starts.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget& watched, std::function<void()> then) : QObject(&watched), then_(std::move(then))
    {
        watched.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && then_) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::exchange(then_, {}));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

// The material's choice in the user's settings file.
TForm1::MaterialStore settingsStore()
{
    static const QString key = QStringLiteral("calculator/material");
    const auto settings = [] {
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("tarvik"), QStringLiteral("tarvik"));
    };
    return {[settings] { return settings()->value(key).toString(); },
            [settings](const QString& value) { settings()->setValue(key, value); }};
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      controls_(buildForm(*withWindowFont(this))),
      result_(*this, controls_.resultBox, controls_.sLabelResult, calc_), window_(*this, controls_, result_),
      material_(controls_.material), components_(controls_), separatorSource_(systemSeparator),
      materialStore_(settingsStore()), calc_(window_, separatorSource_())
{
    calc_.attachMaterial(material_);
    calc_.restoreMaterial(u16view(materialStore_.load()));
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(caption(Caption::WindowTitle)));
    setFixedSize(form::clientWidth, form::clientHeight);
    showOpenSection(controls_, accordion_.openSection());
    bindEvents();
    new FramePlacer(*this, {form::startLeft, form::startTop}, Calculator::wideOuterWidth);
}

TForm1::~TForm1()
{
    unbindEvents();
    estimateWindow_.reset();
}

EstimateWindow& TForm1::estimateWindow()
{
    if (!estimateWindow_) {
        keeper_ = std::make_unique<EstimateKeeper>(FileStorage::defaultFolder(), calc_.decimalSeparator());
        estimateWindow_ = std::make_unique<EstimateWindow>(*keeper_);
    }
    return *estimateWindow_;
}

void TForm1::reopenEstimate()
{
    if (!EstimateKeeper::windowWasOpen(FileStorage::defaultFolder()))
        return;
    estimateWindow().present();
    activateWindow();
}

void TForm1::reopenEstimateOncePainted()
{
    new AfterFirstPaint(*this, guarded(this, [this] { reopenEstimate(); }));
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (estimateWindow_)
        estimateWindow_->closeWithProgram();
    QWidget::closeEvent(event);
}

void TForm1::bindEvents()
{
    for (int k = 1; k <= form::allSections; ++k) {
        connect(controls_.header(k), &QPushButton::clicked, this, guarded(this, [this, k] {
                    accordion_.sButton1Click(components_, form::headerButton(k));
                    showOpenSection(controls_, accordion_.openSection());
                }));
        connect(controls_.kinds(k), &KindsList::chosen, this,
                guarded(this, [this, k] { calc_.sListBoxClick(k); }));
    }
    connect(controls_.modeButtons, &QButtonGroup::idToggled, this,
            guarded<int, bool>(this, [this](int, bool checked) {
                if (checked)
                    calc_.sRadioGroupClick();
            }));
    for (DropDown which : {DropDown::Element, DropDown::E1, DropDown::E2}) {
        controls_.list(which)->editRule = [this, which](std::u16string_view text, SizeTextChange change) {
            return editSizeText(window_, which, text, change);
        };
        connect(controls_.list(which), &DropDownList::left, this,
                guarded(this, [this, which] { calc_.sizeListExit(which); }));
    }
    connect(controls_.list(DropDown::Element), &DropDownList::changed, this,
            guarded(this, [this] { calc_.sComboBoxElementChange(); }));
    connect(controls_.list(DropDown::E1), &DropDownList::changed, this,
            guarded(this, [this] { calc_.sComboBoxE1Change(); }));
    connect(controls_.list(DropDown::E2), &DropDownList::changed, this,
            guarded(this, [this] { calc_.sComboBoxE2Change(); }));
    connect(controls_.sButtonCalc, &QPushButton::clicked, this,
            guarded(this, [this] { calc_.sButtonCalcClick(); }));
    connect(controls_.estimateAdd, &QPushButton::clicked, this, guarded(this, [this] {
                // The line is what the shown result was computed from, not
                // what the controls show now.
                if (calc_.canAddToEstimate())
                    estimateWindow().addLine(*calc_.lastCalculation());
            }));
    connect(controls_.estimateShow, &QPushButton::clicked, this,
            guarded(this, [this] { estimateWindow().present(); }));
    NumericEdit* edit = controls_.sEditParam;
    edit->keyRule = guarded<char16_t>(this, [this](char16_t key) { return calc_.sEditParamKeyPress(key); });
    edit->changeRule = guarded(this, [this] { calc_.sEditParamChange(); });
    edit->clickRule = guarded(this, [this] { calc_.sEditParamClick(); });
    edit->leaveRule = guarded(this, [this] { calc_.sEditParamExit(); });
    bindMaterialEvents();
}

void TForm1::bindMaterialEvents()
{
    MaterialControls& m = controls_.material;
    connect(m.metal, &QComboBox::activated, this, guarded<int>(this, [this](int) {
                calc_.metalChange();
                saveMaterial();
            }));
    connect(m.grade, &QComboBox::activated, this, guarded<int>(this, [this](int) {
                calc_.gradeChange();
                saveMaterial();
            }));
    m.density->keyRule = guarded<char16_t>(this, [this](char16_t key) { return calc_.densityKeyPress(key); });
    m.density->changeRule = guarded(this, [this] {
        calc_.densityChange();
        saveMaterial();
    });
    for (std::size_t i = 0; i < m.dimensions.size(); ++i) {
        const int field = static_cast<int>(i);
        m.dimensions[i]->keyRule = guarded<char16_t>(
            this, [this, field](char16_t key) { return calc_.dimensionKeyPress(field, key); });
        m.dimensions[i]->changeRule = guarded(this, [this, field] { calc_.dimensionChange(field); });
    }
    connect(m.radiusStandard, &QComboBox::activated, this,
            guarded<int>(this, [this](int) { calc_.radiusStandardChange(); }));
}

void TForm1::saveMaterial()
{
    if (materialStore_.save)
        materialStore_.save(qs(calc_.materialSetting()));
}

void TForm1::setMaterialStore(MaterialStore store)
{
    materialStore_ = std::move(store);
    calc_.restoreMaterial(materialStore_.load ? u16view(materialStore_.load()) : std::u16string_view());
}

void TForm1::unbindEvents()
{
    // Destroying a window that is still shown takes the focus out of the
    // control that holds it, and a drop-down list whose text was typed then
    // reports a change: its handler would run on a window that is already
    // half destroyed. Detach every handler first.
    NumericEdit* edit = controls_.sEditParam;
    edit->keyRule = nullptr;
    edit->changeRule = nullptr;
    edit->clickRule = nullptr;
    edit->leaveRule = nullptr;
    for (DropDownList* l : controls_.lists) {
        l->editRule = nullptr;
        l->disconnect(this);
    }
    controls_.sButtonCalc->disconnect(this);
    controls_.estimateAdd->disconnect(this);
    controls_.estimateShow->disconnect(this);
    controls_.modeButtons->disconnect(this);
    MaterialControls& m = controls_.material;
    for (NumericEdit* e : m.dimensions) {
        e->keyRule = nullptr;
        e->changeRule = nullptr;
    }
    m.density->keyRule = nullptr;
    m.density->changeRule = nullptr;
    for (QComboBox* box : {m.metal, m.grade, m.radiusStandard})
        box->disconnect(this);
    for (int k = 1; k <= form::allSections; ++k) {
        controls_.header(k)->disconnect(this);
        controls_.kinds(k)->disconnect(this);
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
    if (QWidget* panel = controls_.widgetAt(form::sPanel1))
        panel->setGeometry(rect());
}

void TForm1::placeOnScreen()
{
    // The first kind choice widens the window: it starts where the wide
    // window fits too, so the widening moves nothing under the pointer.
    placeWideningWindow(*this, {form::startLeft, form::startTop}, Calculator::wideOuterWidth);
}

} // namespace tarvik
