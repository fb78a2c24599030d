#include "app/material_controls.h"

#include "app/numeric_edit.h"
#include "app/qt_text.h"
#include "calculator/form_layout.h"
#include "number/entry_rules.h"
#include "text/captions.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>

namespace tarvik {
namespace {

// The group's rows, in its own pixels: the basis line; the metal and the
// grade; a density of one's own; one row per dimension, the standards'
// list beside the fourth (a profile pipe's R); the reason a dimension gives
// no result.
constexpr int left = 16;
constexpr int rowHeight = 25;
constexpr QRect basisGeometry{left, 2, 375, 18};
constexpr int choiceTop = 24;
constexpr int densityTop = 55;
constexpr int firstDimensionTop = 86;
constexpr int dimensionStep = 29;
constexpr int radiusRow = 3;

QLabel* label(QWidget* parent, const char* name, QRect geometry)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    return l;
}

QLabel* hint(QWidget* parent, const char* name, Caption accessibleName, QRect geometry, QTimer*& timer)
{
    QLabel* l = label(parent, name, geometry);
    l->setAccessibleName(qs(caption(accessibleName)));
    l->setWordWrap(true);
    l->setForegroundRole(QPalette::Link);
    l->hide();
    timer = new QTimer(l);
    timer->setSingleShot(true);
    timer->setInterval(inputHintMilliseconds);
    QObject::connect(timer, &QTimer::timeout, l, &QWidget::hide);
    return l;
}

QComboBox* list(QWidget* parent, const char* name, Caption accessibleName, QRect geometry)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(qs(caption(accessibleName)));
    box->setGeometry(geometry);
    return box;
}

void showHint(QLabel* hint, QTimer* timer, std::u16string_view reason, bool stays)
{
    timer->stop();
    if (reason.empty()) {
        hint->hide();
        return;
    }
    hint->setText(qs(reason));
    hint->show();
    if (!stays)
        timer->start();
}

} // namespace

MaterialControls buildMaterialControls(QWidget& panel)
{
    MaterialControls c;
    c.group = new QWidget(&panel);
    c.group->setObjectName(QStringLiteral("materialGroup"));
    c.group->setGeometry(form::clientWidth, form::clientHeight - form::materialHeight, 399,
                         form::materialHeight);
    QWidget* g = c.group;

    c.basis = label(g, "sLabelBasis", basisGeometry);
    c.basis->setAccessibleName(qs(caption(Caption::BasisName)));
    c.basis->setTextInteractionFlags(Qt::TextSelectableByMouse);

    label(g, "sLabelMetal", {left, choiceTop + 2, 52, 20})->setText(qs(caption(Caption::MetalList)));
    c.metal = list(g, "sComboBoxMetal", Caption::MetalList, {70, choiceTop, 140, rowHeight});
    label(g, "sLabelGrade", {218, choiceTop + 2, 46, 20})->setText(qs(caption(Caption::GradeList)));
    c.grade = list(g, "sComboBoxGrade", Caption::GradeList, {266, choiceTop, 117, rowHeight});

    label(g, "sLabelDensity", {left, densityTop + 2, 150, 20})->setText(qs(caption(Caption::OwnDensity)));
    c.density = new NumericEdit(g);
    c.density->setObjectName(QStringLiteral("sEditDensity"));
    c.density->setAccessibleName(qs(caption(Caption::OwnDensity)));
    c.density->setGeometry(168, densityTop, 70, rowHeight);
    c.densityHint =
        hint(g, "densityHint", Caption::InputHintName, {244, densityTop - 3, 147, 32}, c.densityHintTimer);

    for (std::size_t i = 0; i < catalogue::maxOwnDimensions; ++i) {
        const int top = firstDimensionTop + dimensionStep * static_cast<int>(i);
        const QString n = QString::number(i + 1);
        c.dimensionCaptions[i] = label(g, "", {left, top + 2, 200, 20});
        c.dimensionCaptions[i]->setObjectName(QStringLiteral("sLabelDimension") + n);
        c.dimensions[i] = new NumericEdit(g);
        c.dimensions[i]->setObjectName(QStringLiteral("sEditDimension") + n);
        c.dimensions[i]->setGeometry(218, top, 80, rowHeight);
        c.dimensionCaptions[i]->hide();
        c.dimensions[i]->hide();
    }
    c.radiusStandard = list(g, "sComboBoxRadiusStandard", Caption::RadiusStandardList,
                            {304, firstDimensionTop + dimensionStep * radiusRow, 87, rowHeight});
    for (const catalogue::RadiusStandard& standard : catalogue::profileRadiusStandards)
        c.radiusStandard->addItem(qs(standard.name));
    c.radiusStandard->hide();
    c.dimensionHint = hint(
        g, "dimensionHint", Caption::DimensionHintName,
        {left, firstDimensionTop + dimensionStep * static_cast<int>(catalogue::maxOwnDimensions), 375, 32},
        c.dimensionHintTimer);
    g->hide();
    return c;
}

void QtMaterial::setGradeItems(GradeList which, std::span<const std::u16string_view> texts, int index)
{
    QComboBox* box = which == GradeList::Metal ? c_.metal : c_.grade;
    const QSignalBlocker blocker(box);
    box->clear();
    for (auto t : texts)
        box->addItem(qs(t));
    box->setCurrentIndex(index);
}

int QtMaterial::gradeIndex(GradeList which) const
{
    return (which == GradeList::Metal ? c_.metal : c_.grade)->currentIndex();
}

void QtMaterial::setGradeChoiceEnabled(bool enabled)
{
    c_.metal->setEnabled(enabled);
    c_.grade->setEnabled(enabled);
    c_.density->setEnabled(enabled);
}

std::u16string QtMaterial::densityText() const
{
    return c_.density->text().toStdU16String();
}

void QtMaterial::setDensityText(std::u16string_view text)
{
    c_.density->setText(qs(text));
}

int QtMaterial::densityCaret() const
{
    return c_.density->caret();
}

int QtMaterial::densitySelectionEnd() const
{
    return c_.density->hasSelectedText() ? c_.density->selectionEnd() : c_.density->cursorPosition();
}

void QtMaterial::showDensityHint(std::u16string_view reason)
{
    showHint(c_.densityHint, c_.densityHintTimer, reason, false);
}

void QtMaterial::setBasisText(std::u16string_view text)
{
    c_.basis->setText(qs(text));
}

void QtMaterial::setDimensionFields(std::span<const std::u16string_view> captions)
{
    for (std::size_t i = 0; i < catalogue::maxOwnDimensions; ++i) {
        const bool shown = i < captions.size();
        NumericEdit* edit = c_.dimensions[i];
        edit->clear();
        if (shown) {
            c_.dimensionCaptions[i]->setText(qs(captions[i]));
            edit->setAccessibleName(qs(captions[i]));
        }
        c_.dimensionCaptions[i]->setVisible(shown);
        edit->setVisible(shown);
    }
}

std::u16string QtMaterial::dimensionText(int field) const
{
    return c_.dimensions.at(static_cast<std::size_t>(field))->text().toStdU16String();
}

void QtMaterial::setDimensionText(int field, std::u16string_view text)
{
    c_.dimensions.at(static_cast<std::size_t>(field))->setText(qs(text));
}

int QtMaterial::dimensionCaret(int field) const
{
    return c_.dimensions.at(static_cast<std::size_t>(field))->caret();
}

int QtMaterial::dimensionSelectionEnd(int field) const
{
    const NumericEdit* edit = c_.dimensions.at(static_cast<std::size_t>(field));
    return edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
}

void QtMaterial::showDimensionHint(int field, std::u16string_view reason, bool focus)
{
    // A reason from «Расчитать» stays until the field changes; a refused
    // key's goes after a few seconds, as the number field's does.
    showHint(c_.dimensionHint, c_.dimensionHintTimer, field < 0 ? std::u16string_view() : reason, focus);
    if (field >= 0 && focus)
        c_.dimensions.at(static_cast<std::size_t>(field))->setFocus(Qt::OtherFocusReason);
}

void QtMaterial::setRadiusStandardVisible(bool visible)
{
    c_.radiusStandard->setVisible(visible);
}

int QtMaterial::radiusStandardIndex() const
{
    return c_.radiusStandard->currentIndex();
}

} // namespace tarvik
